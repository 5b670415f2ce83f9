#pragma once
// The two code-table documents, made from the control-code model: the text
// as RTF bytes and 31 pictures as PNG bytes per language, as the viewers'
// form data holds them. Every line has an exact height, so the places of
// the pictures (gaps in the text of the pictures' heights) hold whatever
// fonts the machine has. Making the places is arithmetic; drawing the
// pictures and writing the text happen only when asked.

#include <cstdint>
#include <string>
#include <vector>

#include "rs232codes/Rs232ControlCode.h"

inline constexpr int Rs232CodePictureCount = 31;
// The label's width and the pictures' controls; the pictures themselves
// are a little narrower and centred.
inline constexpr int Rs232CodeDocumentWidth = 630;
inline constexpr int Rs232CodePictureWidth = 600;

// A picture's control: its top below the label's top, and its height.
struct TRs232PicturePlace {
  int Top;
  int Height;
};

const std::vector<TRs232PicturePlace>& Rs232CodePicturePlaces(TRs232TextSet TextSet);
// Where the last line ends, below the label's top.
int Rs232CodeDocumentBottom(TRs232TextSet TextSet);

// The document text as RTF (English in code page 1252, Chinese in 936).
std::string Rs232CodeRichText(TRs232TextSet TextSet);
// PNG bytes of picture Index (0 .. 30).
std::vector<std::uint8_t> Rs232CodePicture(TRs232TextSet TextSet, int Index);
