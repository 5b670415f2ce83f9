// The splash's HTML text renderer: each line is laid out by a measuring
// pass, which decides where it ends, and then drawn by a second pass over
// exactly the text the first one took. Both passes carry their own tag
// state from line to line.

#include "controls/AdvSmoothSplashScreenHtml.h"

#include <algorithm>
#include <cctype>

#include "controls/GDIPFill.h"
#include "controls/GDIPPictureContainer.h"
#include "platform/classlib/FileIcons.h"
#include "platform/classlib/ImgList.h"

using namespace HtmlMarkup;

void DrawBitmap(TGPGraphics* g, const TBitmap& bitmap, const TGPRectF& R) {
  TAdvGDIPPicture picture;
  picture.Assign(&bitmap);
  picture.GDIPDraw(g, R);
}

namespace {

// What is added to the line and the pen per list level, and the bullet box.
constexpr int kListStep = 12;
constexpr int kBulletSide = 8;
// Font sizes a screen can draw; a size outside is held at the nearest.
constexpr int kMinPoints = 1;
constexpr int kMaxPoints = 1000;

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  return s;
}

bool StartsWith(const std::string& s, const char* head) {
  return s.rfind(head, 0) == 0;
}

// The tag's name ends at a blank or at '>' (or at the end of a tag that has none).
bool NameIs(const std::string& upper, const char* head) {
  if (!StartsWith(upper, head)) return false;
  const std::size_t n = std::char_traits<char>::length(head);
  return n >= upper.size() || upper[n] == ' ' || upper[n] == '>';
}

void SetStyle(TFont& font, TFontStyle style, bool on) {
  TFontStyles s = font.GetStyle();
  if (on)
    s << style;
  else
    s >> style;
  font.SetStyle(s);
}

// The tag state one pass carries from line to line.
struct PassState {
  TFont font;
  TColor background = clNone;
  bool anchor = false;
  bool hidden = false;
  bool shadow = false;
  bool sub = false;
  bool sup = false;
  bool error = false;
  int level = 0;
  std::string href;
  int anchors = 0;
  int anchorIndex = -1;
  bool anchorHovered = false;
  TPoint anchorStart;
  TColor fontBackground = clNone;  // restored by </FONT>
  TColor hiColor = clNone;
  TColor hiBackground = clNone;
  TColor anchorBackground = clNone;
  int offset = 0;  // OFS: where the following lines start
  int align = 0;   // 0 left, 1 right, 2 centre
  int indent = 0;
};

// The sizes of one line, found by its measuring pass.
struct LineSize {
  int height = 0;
  int sub = 0;
  int sup = 0;
  int imageOffset = 0;
  int width = 0;
};

// One call's arguments and outputs.
struct Call {
  TGPGraphics* g;
  const TFont& base;
  TRect rect;
  TCustomImageList* images;
  int x, y;
  int focusLink, hoverLink, shadowOffset;
  bool checkOnly, print, ignoreColors, blinkOn, hoverStyle, wordWrap;
  double resolution;
  TColor urlColor, hoverColor, hoverFontColor, shadowColor;
  TGDIPPictureContainer* container;
  std::string& anchorVal;
  std::string& stripVal;
  std::string& focusAnchor;
  int& mouseLink;
  TRect& hoverRect;
  bool result = false;
  int widest = 0;

  int GhHeight(const TFont& f) const { return TextHeight(g, "gh", f); }
  int Width(const std::string& text, const TFont& f) const {
    TRect r(0, 0, 0, 0);
    DrawText(g, text, -1, r, f, DT_CALCRECT, clNone);
    return r.Right - r.Left;
  }
};

// An image of the markup, found and sized; nothing to place when empty.
struct Picture {
  int width = 0;
  int height = 0;
  TAdvGDIPPicture* picture = nullptr;
  int listIndex = -1;
  std::string iconPath;
  TFileIconSize iconSize = fisSmall;
  bool Empty() const { return width <= 0 || height <= 0; }
};

enum class TagEnd { Go, EndAfter, EndBefore };

class LineRun {
 public:
  LineRun(Call& c, PassState& st, bool drawing, const TRect& lineRect, LineSize& size)
      : c_(c), st_(st), drawing_(drawing), r_(lineRect), size_(size) {
    pen_ = r_.Left + st_.offset;
    available_ = (r_.Right - r_.Left) - st_.offset;
  }

  // Takes the line from the front of Text and returns how much of the
  // source it consumed; Line gets the text the drawing pass repeats.
  std::size_t Measure(const std::string& text, std::string& line) {
    std::size_t pos = 0;
    while (pos < text.size() && !ended_) {
      if (text[pos] != '<') {
        const std::string piece = CutPiece(text, pos);
        if (!MeasurePiece(piece)) break;
        if (!st_.hidden) line += piece;
        pos += piece.size();
        continue;
      }
      const std::string tag = CutTag(text, pos);
      const TagEnd end = tag.size() < 3 ? TagEnd::Go : Tag(tag);
      if (end == TagEnd::EndBefore && taken_) break;
      line += tag;
      pos += tag.size();
      taken_ = true;
      if (end == TagEnd::EndAfter) ended_ = true;
    }
    size_.width = width_;
    c_.widest = std::max(c_.widest, width_);
    return pos;
  }

  // Draws (or with CheckOnly measures) the text the measuring pass took.
  void Draw(const std::string& line) {
    std::size_t pos = 0;
    while (pos < line.size()) {
      if (line[pos] != '<') {
        const std::string piece = CutPiece(line, pos);
        pos += piece.size();
        DrawPiece(piece, line, pos);
        continue;
      }
      const std::string tag = CutTag(line, pos);
      pos += tag.size();
      if (tag.size() >= 3) Tag(tag);
    }
  }

 private:
  std::string CutPiece(const std::string& text, std::size_t pos) const {
    std::size_t end = text.find('<', pos);
    if (end == std::string::npos) end = text.size();
    if (c_.wordWrap) {
      const std::size_t space = text.find(' ', pos);
      if (space != std::string::npos && space < end) end = space + 1;
    }
    return text.substr(pos, end - pos);
  }

  // Up to and including '>', or the rest of the text.
  static std::string CutTag(const std::string& text, std::size_t pos) {
    const std::size_t close = text.find('>', pos);
    return text.substr(pos, close == std::string::npos ? std::string::npos : close - pos + 1);
  }

  void GrowHeight(int h) {
    if (st_.sub && size_.sub < h / 4) size_.sub = h / 2;
    if (st_.sup && size_.sup < h / 4) size_.sup = h / 2;
    size_.height = std::max(size_.height, h);
  }

  // False when the piece does not fit and stays for the next line.
  bool MeasurePiece(const std::string& piece) {
    const std::string shown = PieceText(piece);
    if (shown.empty()) return true;
    if (st_.hidden) {
      GrowHeight(TextHeight(c_.g, shown, st_.font));
      c_.stripVal += shown;
      taken_ = true;
      return true;
    }
    const int w = shown == " " ? 0 : c_.Width(shown, st_.font);
    // A word is never split: a piece that goes on the line's last word
    // stays with it, and one that is too wide for any line stands first on
    // its own.
    const bool fits = !c_.wordWrap || width_ + w <= available_ || plain_.empty() || plain_.back() != ' ';
    if (!fits) {
      ended_ = true;
      return false;
    }
    GrowHeight(TextHeight(c_.g, shown, st_.font));
    c_.stripVal += shown;
    if (st_.anchor && c_.x >= pen_ && c_.x <= pen_ + w) {
      if (c_.y > r_.Top && c_.y < r_.Top + c_.GhHeight(st_.font)) {
        c_.anchorVal = st_.href;
        st_.anchorHovered = true;
      }
    }
    width_ += w;
    pen_ += w;
    plain_ += shown;
    taken_ = true;
    return true;
  }

  TRect PieceRect() const {
    TRect r = r_;
    r.Left = pen_;
    if (st_.sup) {
      r.Bottom -= size_.sup;
      r.Top -= size_.sup / 2;
    }
    if (st_.sub) {
      r.Bottom += size_.sub;
      r.Top += size_.sub / 2;
    }
    r.Bottom -= size_.imageOffset;
    return r;
  }

  void DrawPiece(const std::string& piece, const std::string& line, std::size_t after) {
    const std::string shown = PieceText(piece);
    if (shown.empty()) return;
    c_.stripVal += shown;
    TRect r = PieceRect();
    if (!c_.checkOnly) {
      if (st_.shadow) {
        TFont shadow;
        shadow.Assign(&st_.font);
        shadow.SetColor(c_.shadowColor);
        TRect s = r;
        s.Left += c_.shadowOffset;
        s.Top += c_.shadowOffset;
        DrawText(c_.g, shown, -1, s, shadow, 0, st_.background);
      }
      if (shown != " ") {
        std::string text = shown;
        if (st_.font.GetStyle().Contains(fsUnderline) && UnderlineGoesOn(line, after)) text += "_";
        TRect t = r;
        DrawText(c_.g, text, -1, t, st_.font, 0, st_.background);
      }
    }
    TRect m = r;
    DrawText(c_.g, shown, -1, m, st_.font, DT_CALCRECT, clNone);
    const int w = m.Right - m.Left;
    if (!c_.checkOnly && shown != " ") {
      if (st_.font.GetStyle().Contains(fsStrikeOut)) StrikeOut(r, w, m.Bottom - m.Top);
      if (st_.error) ErrorMark(r.Left, r.Left + w);
    }
    if (c_.checkOnly && st_.anchor && c_.x >= pen_ && c_.x <= pen_ + w) {
      const int bottom = r_.Bottom - size_.imageOffset;
      if (c_.y > bottom - c_.GhHeight(st_.font) && c_.y < bottom) {
        c_.anchorVal = st_.href;
        c_.result = true;
      }
    }
    if (st_.anchor && st_.anchorIndex == c_.focusLink) c_.focusAnchor = st_.href;
    pen_ += w;
    width_ += w;
  }

  // The underline is carried over the gap after a word when more text
  // follows before the next tag and the anchor's text goes on.
  static bool UnderlineGoesOn(const std::string& line, std::size_t after) {
    if (after >= line.size() || line[after] == '<') return false;
    const std::string rest = Upper(line.substr(after));
    const std::size_t close = rest.find("</A");
    return rest.find(' ') < close;
  }

  // The drawing layer's fonts carry no strike-out; the line is drawn here.
  void StrikeOut(const TRect& r, int w, int h) {
    TGPPen pen(Gdiplus::Color(OpaqueArgbFromColor(st_.font.GetColor())), 1.0f);
    const float y = static_cast<float>(r.Top) + static_cast<float>(h) * 0.55f;
    c_.g->DrawLine(&pen, static_cast<float>(r.Left), y, static_cast<float>(r.Left + w), y);
  }

  void ErrorMark(int left, int right) {
    TGPPen pen(Gdiplus::Color(ArgbFromColor(255, clRed)), 1.0f);
    const int b = r_.Bottom;
    int x = left - (((left % 2) + 2) % 2);
    int p = x % 4 == 0 ? 2 : 0;
    auto segment = [&] {
      p = 2 - p;
      c_.g->DrawLine(&pen, x, b - 4 + p, x + 2, b - 2 - p);
    };
    while (x < right) {
      segment();
      x += 2;
    }
    segment();
  }

  TagEnd Tag(const std::string& tag) {
    const std::string u = Upper(tag);
    if (u.size() >= 2 && u[1] == '/') return u.size() >= 4 ? CloseTag(u) : TagEnd::Go;
    if (NameIs(u, "<A")) return Anchor(tag);
    if (u == "<B>") return Style(fsBold, true);
    if (StartsWith(u, "<BL")) {
      if (!c_.blinkOn) {
        st_.font.SetColor(clWhite);
        st_.background = clNone;
      }
      return TagEnd::Go;
    }
    if (StartsWith(u, "<BO")) return Body(tag);
    if (StartsWith(u, "<BR")) {
      c_.stripVal += "\r";
      return TagEnd::EndAfter;
    }
    if (StartsWith(u, "<E")) {
      if (drawing_) st_.error = true;
      return TagEnd::Go;
    }
    if (StartsWith(u, "<F")) return u.back() == '>' ? Font(tag) : TagEnd::Go;
    if (StartsWith(u, "<HI")) {
      if (drawing_) {
        st_.hiColor = st_.font.GetColor();
        st_.hiBackground = st_.background;
        st_.background = clHighlight;
        st_.font.SetColor(clHighlightText);
      }
      return TagEnd::Go;
    }
    if (StartsWith(u, "<HR")) {
      if (drawing_ && !c_.checkOnly) {
        TGPPen pen(Gdiplus::Color(ArgbFromColor(255, clBlack)), 1.0f);
        c_.g->DrawLine(&pen, r_.Left, r_.Bottom + 1, r_.Right, r_.Bottom + 1);
      }
      return TagEnd::EndAfter;
    }
    if (StartsWith(u, "<IND")) return Indent(tag);
    if (StartsWith(u, "<IMG")) return Image(tag);
    if (NameIs(u, "<I")) return Style(fsItalic, true);
    if (StartsWith(u, "<L")) return ListItem(tag);
    if (StartsWith(u, "<OF")) return Offset(tag);
    if (NameIs(u, "<P")) return Paragraph(tag);
    if (u == "<S>") return Style(fsStrikeOut, true);
    if (StartsWith(u, "<SH")) {
      st_.shadow = true;
      return TagEnd::Go;
    }
    if (u == "<SUB>") st_.sub = true;
    if (u == "<SUP>") st_.sup = true;
    if (StartsWith(u, "<UL")) {
      ++st_.level;
      return TagEnd::EndAfter;
    }
    if (NameIs(u, "<U")) return Style(fsUnderline, true);
    if (NameIs(u, "<Z")) st_.hidden = true;
    return TagEnd::Go;
  }

  TagEnd CloseTag(const std::string& u) {
    if (StartsWith(u, "</A")) return CloseAnchor();
    if (u == "</B>") return Style(fsBold, false);
    if (StartsWith(u, "</B")) {
      st_.font.SetColor(c_.base.GetColor());
    } else if (StartsWith(u, "</E")) {
      if (drawing_) st_.error = false;
    } else if (StartsWith(u, "</F")) {
      st_.font.SetName(c_.base.GetName());
      st_.font.SetSize(c_.base.GetSize());
      if (drawing_ && !c_.ignoreColors) {
        st_.font.SetColor(c_.base.GetColor());
        st_.background = st_.fontBackground;
      }
    } else if (StartsWith(u, "</H")) {
      if (drawing_) {
        st_.font.SetColor(st_.hiColor);
        st_.background = st_.hiBackground;
      }
    } else if (StartsWith(u, "</I")) {
      return Style(fsItalic, false);
    } else if (StartsWith(u, "</L")) {
      return TagEnd::EndAfter;
    } else if (StartsWith(u, "</O")) {
      st_.offset = 0;
    } else if (StartsWith(u, "</P")) {
      if (drawing_) st_.background = clNone;
      return TagEnd::EndAfter;
    } else if (StartsWith(u, "</SU")) {
      st_.sub = st_.sup = false;
    } else if (StartsWith(u, "</SH")) {
      st_.shadow = false;
    } else if (StartsWith(u, "</S")) {
      return Style(fsStrikeOut, false);
    } else if (u == "</U>") {
      return Style(fsUnderline, false);
    } else if (StartsWith(u, "</UL")) {
      if (st_.level > 0)
        --st_.level;
      else
        return Style(fsUnderline, false);
    } else if (StartsWith(u, "</Z")) {
      st_.hidden = false;
    }
    return TagEnd::Go;
  }

  TagEnd Style(TFontStyle style, bool on) {
    SetStyle(st_.font, style, on);
    return TagEnd::Go;
  }

  bool Styled() const { return !(c_.hoverStyle && st_.anchorIndex != c_.hoverLink); }
  bool Hovered() const { return st_.anchorIndex == c_.hoverLink; }

  TagEnd Anchor(const std::string& tag) {
    st_.anchorIndex = st_.anchors++;
    st_.anchor = true;
    st_.anchorHovered = false;
    st_.anchorStart = TPoint(pen_, r_.Top);
    st_.href.clear();
    if (const std::size_t q = tag.find('"'); q != std::string::npos) {
      const std::size_t e = tag.find('"', q + 1);
      if (e != std::string::npos) st_.href = tag.substr(q + 1, e - q - 1);
    }
    if (!drawing_) return TagEnd::Go;
    if (Styled()) {
      SetStyle(st_.font, fsUnderline, true);
      if (Hovered() && c_.hoverColor != clNone) {
        st_.anchorBackground = st_.background;
        st_.background = c_.hoverColor;
      }
      if (Hovered() && c_.hoverFontColor != clNone) st_.font.SetColor(c_.hoverFontColor);
    }
    if (!c_.ignoreColors && !(Hovered() && c_.hoverFontColor != clNone)) st_.font.SetColor(c_.urlColor);
    return TagEnd::Go;
  }

  TagEnd CloseAnchor() {
    if (drawing_ && Styled()) {
      SetStyle(st_.font, fsUnderline, false);
      if (Hovered() && c_.hoverColor != clNone) st_.background = st_.anchorBackground;
      if (Hovered() && c_.hoverFontColor != clNone) st_.font.SetColor(c_.hoverFontColor);
    }
    if (!c_.ignoreColors) st_.font.SetColor(c_.base.GetColor());
    if (st_.anchor && st_.anchorHovered && !drawing_) {
      c_.mouseLink = st_.anchorIndex;
      const int bottom = r_.Top + std::max(size_.height, c_.GhHeight(st_.font));
      c_.hoverRect =
          TRect(st_.anchorStart.Y == r_.Top ? st_.anchorStart.X : r_.Left, st_.anchorStart.Y, pen_, bottom);
    }
    st_.anchor = false;
    st_.anchorHovered = false;
    return TagEnd::Go;
  }

  TagEnd Body(const std::string& tag) {
    if (!drawing_ || c_.ignoreColors) return TagEnd::Go;
    std::string value;
    if (Attribute(tag, "BGCOLOR", value)) {
      st_.fontBackground = st_.background;
      std::string to;
      st_.background = Attribute(tag, "BGCOLORTO", to) ? clNone : ColorValue(value);
    }
    return TagEnd::Go;
  }

  TagEnd Font(const std::string& tag) {
    std::string value;
    if (Attribute(tag, "FACE", value)) st_.font.SetName(value);
    if (Attribute(tag, "COLOR", value) && !c_.ignoreColors) st_.font.SetColor(ColorValue(value));
    if (Attribute(tag, "BGCOLOR", value) && drawing_ && !c_.ignoreColors) {
      st_.fontBackground = st_.background;
      st_.background = ColorValue(value);
    }
    if (Attribute(tag, "SIZE", value)) {
      static const int kSizes[] = {8, 10, 12, 14, 16};
      const int n = LeadingNumber(value);
      st_.font.SetSize(n >= 1 && n <= 5 ? kSizes[n - 1] : std::clamp(n, kMinPoints, kMaxPoints));
    }
    return TagEnd::Go;
  }

  TagEnd Indent(const std::string& tag) {
    std::string value;
    int n = 0;
    if (Attribute(tag, "X", value) && WholeNumber(value, n) && n > width_) {
      width_ = n;
      pen_ = c_.rect.Left + n;
    }
    return TagEnd::Go;
  }

  // The offset counts from the line's left edge, on this line as on the
  // lines that follow.
  TagEnd Offset(const std::string& tag) {
    std::string value;
    int n = 0;
    if (Attribute(tag, "X", value) && WholeNumber(value, n)) {
      st_.offset = n;
      width_ = n;
      pen_ = r_.Left + n;
    }
    return TagEnd::Go;
  }

  TagEnd Paragraph(const std::string& tag) {
    std::string value;
    if (Attribute(tag, "ALIGN", value)) {
      const std::string a = Upper(value);
      if (a.find("RIGHT") != std::string::npos)
        st_.align = 1;
      else if (a.find("LEFT") != std::string::npos)
        st_.align = 0;
      else if (a.find("CENTER") != std::string::npos)
        st_.align = 2;
    }
    if (Attribute(tag, "INDENT", value)) st_.indent = LeadingNumber(value);
    std::string to;
    if (drawing_ && Attribute(tag, "BGCOLORTO", to)) st_.background = clNone;
    return TagEnd::Go;
  }

  Picture FindPicture(const std::string& tag) const {
    Picture p;
    std::string src;
    Attribute(tag, "SRC", src);
    const std::string u = Upper(src);
    if (u.find("IDX:") != std::string::npos) {
      const int index = LeadingNumber(src.size() > 4 ? src.substr(4) : std::string());
      if (c_.images && index >= 0 && index < c_.images->GetCount()) {
        p.listIndex = index;
        p.width = c_.images->GetWidth();
        p.height = c_.images->GetHeight();
      }
      return p;
    }
    if (StartsWith(u, "SSYS:") || StartsWith(u, "LSYS:")) {
      // A number named a system icon by index; there is no such index here.
      const std::string path = src.substr(5);
      int number = 0;
      if (path.empty() || WholeNumber(path, number)) return p;
      p.iconPath = path;
      p.iconSize = u[0] == 'L' ? fisLarge : fisSmall;
      p.width = p.height = FileIconSide(p.iconSize);
      return p;
    }
    if (src.find(':') != std::string::npos || !c_.container) return p;
    TAdvGDIPPicture* picture = c_.container->FindPicture(src);
    if (!picture || picture->GetEmpty()) return p;
    p.picture = picture;
    std::string w, h;
    const int ew = Attribute(tag, "WIDTH", w) ? LeadingNumber(w) : 0;
    const int eh = Attribute(tag, "HEIGHT", h) ? LeadingNumber(h) : 0;
    if (ew >= 1 && eh >= 1) {
      p.width = ew;
      p.height = eh;
    } else {
      p.width = picture->GetWidth();
      p.height = picture->GetHeight();
    }
    return p;
  }

  TagEnd Image(const std::string& tag) {
    Picture p = FindPicture(tag);
    if (p.Empty()) return TagEnd::Go;
    const bool under = c_.x > pen_ && c_.x < pen_ + p.width && c_.y > r_.Top && c_.y < r_.Top + p.height;
    if (under && st_.anchor) {
      c_.anchorVal = st_.href;
      if (drawing_) c_.result = true;
    }
    if (!drawing_ && width_ + p.width > available_ && p.width < available_) return TagEnd::EndBefore;
    if (drawing_ && !c_.checkOnly) DrawImage(p, tag, under);
    pen_ += p.width;
    width_ += p.width;
    if (!drawing_) {
      size_.height = std::max(size_.height, p.height);
      const std::string u = Upper(tag);
      const int gh = c_.GhHeight(st_.font);
      if (u.find("\"TOP") != std::string::npos)
        size_.imageOffset = size_.height - gh;
      else if (u.find("\"MIDDLE") != std::string::npos)
        size_.imageOffset = (size_.height - gh) / 2;
      if (u.find(" WRAP") != std::string::npos) {
        size_.height = gh;
        size_.imageOffset = 0;
      }
    }
    return TagEnd::Go;
  }

  void DrawImage(const Picture& p, const std::string& tag, bool under) {
    const TGPRectF at(static_cast<float>(pen_), static_cast<float>(r_.Top), static_cast<float>(p.width),
                      static_cast<float>(p.height));
    if (p.listIndex >= 0) {
      if (c_.print) return;
      TBitmap bitmap;
      if (c_.images->GetBitmap(p.listIndex, &bitmap)) DrawBitmap(c_.g, bitmap, at);
      return;
    }
    if (!p.iconPath.empty()) {
      TBitmap icon;
      if (!GetFileIcon(p.iconPath, p.iconSize, &icon)) return;
      const float scale = c_.print ? static_cast<float>(c_.resolution) : 1.0f;
      DrawBitmap(c_.g, icon, TGPRectF(at.X, at.Y, at.Width * scale, at.Height * scale));
      return;
    }
    TAdvGDIPPicture* picture = p.picture;
    std::string alt;
    if (under && c_.container && Attribute(tag, "ALT", alt)) {
      if (TAdvGDIPPicture* other = c_.container->FindPicture(alt); other && !other->GetEmpty())
        picture = other;
    }
    picture->GDIPDraw(c_.g, TRect(pen_, r_.Top, pen_ + p.width, r_.Top + p.height));
  }

  TagEnd ListItem(const std::string& tag) {
    if (!drawing_ && listed_ && taken_) return TagEnd::EndBefore;
    listed_ = true;
    width_ += kListStep * st_.level;
    pen_ += kListStep * st_.level - kListStep;
    if (drawing_ && !c_.checkOnly && !st_.hidden) Bullet(tag);
    pen_ += kListStep;
    return TagEnd::Go;
  }

  void Bullet(const std::string& tag) {
    std::string type, colorText, name;
    Attribute(tag, "TYPE", type);
    const bool hasColor = Attribute(tag, "COLOR", colorText);
    const TColor color = hasColor ? ColorValue(colorText) : clNone;
    type = Upper(type);
    const TGPRectF box(static_cast<float>(pen_), static_cast<float>(r_.Top + 2), kBulletSide, kBulletSide);
    if (type == "SQUARE" || type == "CIRCLE") {
      if (color == clNone) return;
      TGPSolidBrush brush(Gdiplus::Color(ArgbFromColor(255, color)));
      if (type == "SQUARE")
        c_.g->FillRectangle(&brush, box);
      else
        c_.g->FillEllipse(&brush, box);
      return;
    }
    if (type == "IMAGE") {
      TAdvGDIPPicture* picture =
          c_.container && Attribute(tag, "NAME", name) ? c_.container->FindPicture(name) : nullptr;
      if (!picture || picture->GetEmpty()) return;
      const int w = picture->GetWidth();
      picture->GDIPDraw(c_.g, TRect(pen_, r_.Top + 2, pen_ + w, r_.Top + 2 + picture->GetHeight()));
      if (w > kListStep) pen_ += w - kListStep;
      return;
    }
    // Odd levels a bullet, even levels a ring, in the current font.
    TFont font;
    font.Assign(&st_.font);
    if (hasColor) font.SetColor(color);
    TRect r(pen_, r_.Top, pen_, r_.Bottom);
    DrawText(c_.g, st_.level % 2 != 0 ? "\xE2\x80\xA2" : "o", -1, r, font, 0, clNone);
  }

  Call& c_;
  PassState& st_;
  bool drawing_;
  TRect r_;
  LineSize& size_;
  int pen_ = 0;
  int width_ = 0;
  int available_ = 0;
  std::string plain_;
  bool taken_ = false;
  bool ended_ = false;
  bool listed_ = false;
};

}  // namespace

bool DrawHtmlText(TGPGraphics* Graphics, const TFont& Font, const std::string& Text, const TRect& Rect,
                  TCustomImageList* Images, int X, int Y, int FocusLink, int HoverLink, int ShadowOffset,
                  bool CheckOnly, bool MeasureOnly, bool Print, bool IgnoreColors, bool BlinkOn,
                  bool HoverStyle, bool WordWrap, double ResolutionFactor, TColor URLColor, TColor HoverColor,
                  TColor HoverFontColor, TColor ShadowColor, std::string& AnchorVal, std::string& StripVal,
                  std::string& FocusAnchor, int& XSize, int& YSize, int& LinkCount, int& MouseLink,
                  TRect& HoverRect, TGDIPPictureContainer* PictureContainer, int LineSpacing) {
  XSize = YSize = LinkCount = 0;
  StripVal.clear();
  FocusAnchor.clear();
  MouseLink = -1;
  if (!Graphics) return false;
  Call c{Graphics,         Font,        Rect,
         Images,           X,           Y,
         FocusLink,        HoverLink,   ShadowOffset,
         CheckOnly,        Print,       IgnoreColors,
         BlinkOn,          HoverStyle,  WordWrap,
         ResolutionFactor, URLColor,    HoverColor,
         HoverFontColor,   ShadowColor, PictureContainer,
         AnchorVal,        StripVal,    FocusAnchor,
         MouseLink,        HoverRect};

  PassState measure, draw;
  measure.font.Assign(&Font);
  draw.font.Assign(&Font);
  std::string rest = Prepare(Text);
  std::size_t at = 0;
  int top = Rect.Top;
  while (at < rest.size()) {
    LineSize size;
    const int startGh = c.GhHeight(measure.font);
    size.height = startGh;
    TRect line(Rect.Left + 1, top, Rect.Right, Rect.Bottom);
    line.Left += measure.indent;
    std::string lineText;
    {
      LineRun run(c, measure, false, line, size);
      at += run.Measure(rest.substr(at), lineText);
    }
    if (at < rest.size()) size.height += LineSpacing;
    TRect placed(Rect.Left + 1, top, Rect.Right, top + size.height + size.sub + size.sup);
    if (measure.align == 1 && placed.Right - size.width > placed.Left)
      placed.Left = placed.Right - size.width;
    if (measure.align == 2 && (placed.Right - placed.Left - size.width) / 2 > 0)
      placed.Left += (placed.Right - placed.Left - size.width) / 2;
    placed.Left += measure.indent;
    if (!MeasureOnly) {
      LineRun run(c, draw, true, placed, size);
      run.Draw(lineText);
    }
    top += size.height + size.sub + size.sup;
    YSize += size.height + size.sub + size.sup;
    if (!MeasureOnly && Rect.Bottom < top + startGh) break;
  }
  if (YSize == 0) YSize = c.GhHeight(Font);
  YSize += 2;
  XSize = c.widest + 2;
  LinkCount = measure.anchors;
  return c.result;
}
