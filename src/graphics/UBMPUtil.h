// 24-bit images in memory for the colour picker: a plain top-down RGB image that the windows
// draw, and the bottom-up blue-green-red buffer the picker field is rendered into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/brColorUtil.h"

// Top row first; three bytes per pixel in the order red, green, blue; every row starts on a
// four-byte boundary, so a window toolkit can draw the bytes as they are.
class TImage24 {
 public:
  TImage24() = default;
  TImage24(int width, int height) { SetSize(width, height); }

  // Black after every resize. Sizes below zero count as zero.
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  const uint8_t* Bits() const { return bits_.data(); }
  uint8_t* Bits() { return bits_.data(); }
  size_t ByteSize() const { return bits_.size(); }

  // Outside the image: Pixel gives black, SetPixel does nothing.
  TRGBBytes Pixel(int x, int y) const;
  void SetPixel(int x, int y, TRGBBytes color);
  // A whole row segment of one colour.
  void FillRow(int y, TRGBBytes color);

 private:
  int width_ = 0, height_ = 0, stride_ = 0;
  std::vector<uint8_t> bits_;
};

// A device-independent pixel buffer: pixels stored blue, green, red; the bottom row stored
// first; each row padded to a multiple of four bytes. The row length is the byte size divided
// by the row count, the way the platform's own bitmap calls report it.
class TDIBBuffer {
 public:
  // Allocates the buffer; false (and no buffer) for a size of zero or less or when memory
  // runs out.
  bool Setup(int width, int height);
  void Release();
  bool Valid() const { return !bits_.empty(); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  size_t ByteSize() const { return bits_.size(); }
  size_t RowLength() const { return height_ > 0 ? bits_.size() / static_cast<size_t>(height_) : 0; }
  uint8_t* Bits() { return bits_.data(); }
  const uint8_t* Bits() const { return bits_.data(); }

  // The first byte (blue) of pixel (x, y), y counted from the top.
  uint8_t* PixelAt(int x, int y) { return bits_.data() + RowOffset(y) + static_cast<size_t>(x) * 3; }
  const uint8_t* PixelAt(int x, int y) const {
    return bits_.data() + RowOffset(y) + static_cast<size_t>(x) * 3;
  }
  TRGBBytes Pixel(int x, int y) const;

  // Copies the whole buffer into image (resized to the buffer's size) in one pass.
  void TransferTo(TImage24& image) const;

 private:
  size_t RowOffset(int y) const { return static_cast<size_t>(height_ - 1 - y) * RowLength(); }

  int width_ = 0, height_ = 0;
  std::vector<uint8_t> bits_;
};

// Bytes of one padded row of 24-bit pixels.
constexpr size_t PaddedRowBytes(int width) {
  return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
}
