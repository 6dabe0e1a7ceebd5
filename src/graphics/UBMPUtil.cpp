#include "graphics/UBMPUtil.h"

#include <new>
#include <stdexcept>

void TImage24::SetSize(int width, int height) {
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  stride_ = static_cast<int>(PaddedRowBytes(width_));
  bits_.assign(static_cast<size_t>(stride_) * static_cast<size_t>(height_), 0);
}

TRGBBytes TImage24::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  const uint8_t* p = bits_.data() + static_cast<size_t>(y) * stride_ + static_cast<size_t>(x) * 3;
  return {p[0], p[1], p[2]};
}

void TImage24::SetPixel(int x, int y, TRGBBytes color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = bits_.data() + static_cast<size_t>(y) * stride_ + static_cast<size_t>(x) * 3;
  p[0] = color.Red;
  p[1] = color.Green;
  p[2] = color.Blue;
}

void TImage24::FillRow(int y, TRGBBytes color) {
  if (y < 0 || y >= height_) return;
  uint8_t* p = bits_.data() + static_cast<size_t>(y) * stride_;
  for (int x = 0; x < width_; ++x, p += 3) {
    p[0] = color.Red;
    p[1] = color.Green;
    p[2] = color.Blue;
  }
}

bool TDIBBuffer::Setup(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return false;
  try {
    bits_.assign(PaddedRowBytes(width) * static_cast<size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    bits_.clear();
    return false;
  } catch (const std::length_error&) {
    bits_.clear();
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

void TDIBBuffer::Release() {
  std::vector<uint8_t>().swap(bits_);
  width_ = height_ = 0;
}

TRGBBytes TDIBBuffer::Pixel(int x, int y) const {
  if (!Valid() || x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  const uint8_t* p = PixelAt(x, y);
  return {p[2], p[1], p[0]};
}

void TDIBBuffer::TransferTo(TImage24& image) const {
  if (image.Width() != width_ || image.Height() != height_) image.SetSize(width_, height_);
  if (!Valid()) return;
  // Sizes in locals: byte stores may alias any member, which would reload them every pixel.
  const int width = width_, height = height_;
  const size_t stride = static_cast<size_t>(image.Stride()), rowLength = RowLength();
  const uint8_t* source = bits_.data();
  uint8_t* target = image.Bits();
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = source + static_cast<size_t>(height - 1 - y) * rowLength;
    uint8_t* dst = target + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x, src += 3, dst += 3) {
      const uint8_t blue = src[0], green = src[1], red = src[2];
      dst[0] = red;
      dst[1] = green;
      dst[2] = blue;
    }
  }
}
