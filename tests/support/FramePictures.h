// Hand-worked pictures of the note frame, one character a pixel, shared by the tests of every
// drawing surface: K black, F frame, S shadow, H highlight, '.' not painted.
#pragma once

#include <string>
#include <vector>

#include "graphics/UColorTypes.h"

namespace frame_pictures {

inline constexpr TColor kFrame = 0x4080C0;
inline constexpr TColor kShadow = 0x204060;
inline constexpr TColor kHighlight = 0x60A0E0;
inline constexpr TColor kUnpainted = 0xFF00FF;

inline char Legend(TColor c) {
  switch (c) {
    case clBlack:
      return 'K';
    case kFrame:
      return 'F';
    case kShadow:
      return 'S';
    case kHighlight:
      return 'H';
    case kUnpainted:
      return '.';
    default:
      return '?';
  }
}

// DrawTitleStrip(20, 16, "") on a surface one row taller than the strip, so that the black
// bottom edge drawn just below the strip shows.
inline const std::vector<std::string> kStrip20x16 = {
    "KKKKKKKKKKKKKKKKKKKK",  //
    "KHHHHHHHHHHHHHHHHHHK",  //
    "KHFFFFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFFFFSK",  //
    "KHFFSSSSSSSSHFFFFFSK",  // menu box top, darkened up to its last column
    "KHFFSFFFFFFFHFFFFFSK",  //
    "KHFFSFFFFFFFHFFFFFSK",  //
    "KHFFSFFFFFFFHFFFFFSK",  //
    "KHFFSFFFFFFFHFFFFFSK",  //
    "KHFFSFFFFFFFHFFFFFSK",  //
    "KHFFSFFFFFFFHFFFFFSK",  //
    "KHFFSFFFFFFFHFFFFFSK",  //
    "KHFFHHHHHHHHHFFFFFSK",  // menu box bottom stays light
    "KHFFFFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFFFFSK",  //
    "KSSSSSSSSSSSSSSSSSSK",  //
    "KKKKKKKKKKKKKKKKKKKK",  // below the strip
};

// DrawCollapsedBox(17, 17).
inline const std::vector<std::string> kBox17 = {
    "KKKKKKKKKKKKKKKKK",  //
    "KHHHHHHHHHHHHHHHK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHFFFFFFFFFFFFFSK",  //
    "KHSSSSSSSSSSSSSSK",  //
    "KKKKKKKKKKKKKKKKK",  //
};

// DrawSizeGrip(12, 12).
inline const std::vector<std::string> kGrip12 = {
    "KKKKKKKKKKKK",  //
    "KFFFFFFFFFFK",  //
    "KFFFFFFFFFHK",  //
    "KFFFFFFFFHSK",  //
    "KFFFFFFFHSFK",  //
    "KFFFFFFHSFHK",  //
    "KFFFFFHSFHSK",  //
    "KFFFFHSFHSFK",  //
    "KFFFHSFHSFHK",  //
    "KFFHSFHSFHSK",  //
    "KFHSFHSFHSFK",  //
    "KKKKKKKKKKKK",  //
};

}  // namespace frame_pictures
