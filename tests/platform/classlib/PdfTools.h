#pragma once
// Reading the PDF files the printer writes: page count and size by
// pdfinfo, pages rendered to pictures by pdftoppm.

#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace pdf_test {

inline std::string Quoted(const std::string& Text) {
  std::string out = "'";
  for (char c : Text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// What a command printed on its standard output.
inline std::string Output(const std::string& Command) {
  std::string out;
  if (FILE* p = ::popen(Command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    ::pclose(p);
  }
  return out;
}

// The value of one pdfinfo field ("Pages", "Page size", "Title"), trimmed.
inline std::string Info(const std::string& File, const std::string& Field) {
  const std::string all = Output("pdfinfo " + Quoted(File) + " 2>/dev/null");
  const std::string key = "\n" + Field + ":";
  const auto at = ("\n" + all).find(key);
  if (at == std::string::npos) return {};
  std::string value = all.substr(at + key.size() - 1);
  value = value.substr(0, value.find('\n'));
  const auto first = value.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : value.substr(first);
}

inline int Pages(const std::string& File) {
  const std::string v = Info(File, "Pages");
  return v.empty() ? -1 : std::stoi(v);
}

// "612 x 792 pts (letter)" -> "612 x 792".
inline std::string PageSize(const std::string& File) {
  const std::string v = Info(File, "Page size");
  const auto pts = v.find(" pts");
  return pts == std::string::npos ? v : v.substr(0, pts);
}

// Page (1-based) rendered at Dpi.
inline QImage Render(const std::string& File, int Page, int Dpi) {
  const std::string base = File + ".page" + std::to_string(Page);
  const std::string png = base + ".png";
  std::filesystem::remove(png);
  Output("pdftoppm -png -singlefile -r " + std::to_string(Dpi) + " -f " + std::to_string(Page) + " -l " +
         std::to_string(Page) + " " + Quoted(File) + " " + Quoted(base) + " 2>/dev/null");
  return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
}

// A rendered pixel near a colour (0xRRGGBB): rendering smooths a little.
inline bool Near(QRgb Pixel, unsigned Rgb, int Tolerance = 16) {
  return std::abs(qRed(Pixel) - static_cast<int>((Rgb >> 16) & 0xFF)) <= Tolerance &&
         std::abs(qGreen(Pixel) - static_cast<int>((Rgb >> 8) & 0xFF)) <= Tolerance &&
         std::abs(qBlue(Pixel) - static_cast<int>(Rgb & 0xFF)) <= Tolerance;
}

}  // namespace pdf_test
