// Rich text to plain text. A single pass over the bytes with a stack of group
// states; every step consumes at least one byte, so malformed input (unclosed
// groups, stray braces, truncated escapes, huge numbers) ends the text
// instead of failing.
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "host/toolworks/toolworks.h"
#include "host/vcl/strings.h"

namespace toolworks {

namespace {

// Destinations whose text is not part of the document's body.
bool IsSkippedDestination(std::string_view word) {
  static const std::unordered_set<std::string_view> kSkipped = {
      "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "objdata",
      "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
      "footerf", "listtable", "listoverridetable", "rsidtbl", "generator",
      "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl",
      "fldinst", "filetbl", "revtbl", "pgdsctbl", "bkmkstart", "bkmkend",
      "private", "footnote", "annotation", "atnid", "atnauthor", "comment",
      "shppict", "nonshppict", "blipuid", "mmathPr", "xe", "tc", "template"};
  return kSkipped.count(word) > 0;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendCodePoint(std::string& out, uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  icu::UnicodeString u(static_cast<UChar32>(cp));
  u.toUTF8String(out);
}

struct GroupState {
  bool skip = false;  // inside a destination that is left out
  int uc = 1;         // characters to skip after \uN
};

class RtfReader {
 public:
  explicit RtfReader(std::string_view rtf) : in_(rtf) {}
  ~RtfReader() {
    if (converter_) ucnv_close(converter_);
  }
  RtfReader(const RtfReader&) = delete;
  RtfReader& operator=(const RtfReader&) = delete;

  std::string Read() {
    stack_.push_back(GroupState{});
    while (pos_ < in_.size()) {
      const char c = in_[pos_];
      if (c == '{') {
        ++pos_;
        FlushBytes();
        stack_.push_back(stack_.back());
        group_start_ = true;
        skip_chars_ = 0;
        continue;
      }
      if (c == '}') {
        ++pos_;
        FlushBytes();
        group_start_ = false;
        skip_chars_ = 0;
        stack_.pop_back();
        if (stack_.empty()) break;  // the document's group is closed
        continue;
      }
      if (c == '\\') {
        ReadControl();
        continue;
      }
      ++pos_;
      group_start_ = false;
      if (c == '\r' || c == '\n') continue;
      if (skip_chars_ > 0) {
        --skip_chars_;
        // A raw multi-byte character counts as one.
        while (pos_ < in_.size() && (static_cast<unsigned char>(in_[pos_]) & 0xC0) == 0x80 &&
               static_cast<unsigned char>(c) >= 0xC0) {
          ++pos_;
        }
        continue;
      }
      if (!Skipping()) Text(c);
    }
    FlushBytes();
    return out_;
  }

 private:
  bool Skipping() const { return stack_.back().skip; }

  void Text(char c) {
    if (!coded_.empty()) FlushBytes();
    raw_ += c;
  }

  void CodedByte(unsigned char b) {
    if (!raw_.empty()) FlushBytes();
    coded_ += static_cast<char>(b);
  }

  void Emit(std::string_view text) {
    FlushBytes();
    out_ += text;
  }

  // Raw text is read as UTF-8 (bytes that are not valid UTF-8 as Windows-1252);
  // \'hh bytes in the document's code page.
  void FlushBytes() {
    if (!raw_.empty()) {
      out_ += vcl::ToValidUtf8(raw_);
      raw_.clear();
    }
    if (!coded_.empty()) {
      out_ += DecodeCodePage(coded_);
      coded_.clear();
    }
  }

  std::string DecodeCodePage(const std::string& bytes) {
    if (codepage_ == 65001) return vcl::ToValidUtf8(bytes);
    UConverter* conv = Converter();
    if (conv) {
      UErrorCode status = U_ZERO_ERROR;
      std::vector<UChar> units(bytes.size() * 2 + 4);
      const int32_t n = ucnv_toUChars(conv, units.data(), static_cast<int32_t>(units.size()),
                                      bytes.data(), static_cast<int32_t>(bytes.size()), &status);
      if (U_SUCCESS(status)) {
        std::string out;
        icu::UnicodeString(units.data(), n).toUTF8String(out);
        return out;
      }
    }
    // Unknown code page: Windows-1252, byte by byte.
    std::string out;
    for (char b : bytes) out += vcl::ToValidUtf8(std::string(1, b));
    return out;
  }

  // The converter of the document's code page, opened once; null when ICU
  // does not know the code page.
  UConverter* Converter() {
    if (converter_codepage_ != codepage_) {
      if (converter_) ucnv_close(converter_);
      converter_ = nullptr;
      converter_codepage_ = codepage_;
      for (const std::string& name : {"windows-" + std::to_string(codepage_), "cp" + std::to_string(codepage_)}) {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* conv = ucnv_open(name.c_str(), &status);
        if (U_SUCCESS(status) && conv) {
          converter_ = conv;
          break;
        }
        if (conv) ucnv_close(conv);
      }
    }
    return converter_;
  }

  void ReadControl() {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (IsLetter(c)) {
      ReadControlWord();
      return;
    }
    ++pos_;
    group_start_ = false;
    switch (c) {
      case '\\':
      case '{':
      case '}':
        if (ConsumeSkip()) return;
        if (!Skipping()) Text(c);
        return;
      case '\'': {
        int value = -1;
        if (pos_ + 1 < in_.size() && HexValue(in_[pos_]) >= 0 && HexValue(in_[pos_ + 1]) >= 0) {
          value = HexValue(in_[pos_]) * 16 + HexValue(in_[pos_ + 1]);
          pos_ += 2;
        }
        if (ConsumeSkip()) return;
        if (value >= 0 && !Skipping()) CodedByte(static_cast<unsigned char>(value));
        return;
      }
      case '*':
        stack_.back().skip = true;  // {\*\dest ...}: a destination to leave out
        return;
      case '\r':
      case '\n':
        if (!Skipping()) Emit("\r\n");
        return;
      case '~':
        if (!Skipping()) Emit("\xC2\xA0");
        return;
      case '_':
        if (!Skipping()) Emit("-");
        return;
      default:
        return;  // \- \| \: and other symbols print nothing
    }
  }

  // Eats one character of the fallback text after \uN; true when it did.
  bool ConsumeSkip() {
    if (skip_chars_ <= 0) return false;
    --skip_chars_;
    return true;
  }

  void ReadControlWord() {
    const size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool has_param = false, negative = false;
    int64_t param = 0;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      has_param = true;
      if (param < 100000000000LL) param = param * 10 + (in_[pos_] - '0');
      ++pos_;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter

    const bool at_group_start = group_start_;
    group_start_ = false;
    if (at_group_start && IsSkippedDestination(word)) {
      stack_.back().skip = true;
      return;
    }
    if (word == "bin") {
      // Binary data of `param` bytes follows.
      if (has_param && param > 0) {
        const size_t n = static_cast<size_t>(param);
        pos_ = n >= in_.size() - pos_ ? in_.size() : pos_ + n;
      }
      return;
    }
    if (word == "ansicpg" && has_param && param > 0 && param < 100000) {
      FlushBytes();
      codepage_ = static_cast<int>(param);
      return;
    }
    if (word == "uc" && has_param) {
      stack_.back().uc = param < 0 ? 0 : static_cast<int>(param > 10 ? 10 : param);
      return;
    }
    if (word == "u" && has_param) {
      int64_t cp = param < 0 ? param + 65536 : param;
      if (!Skipping()) UnicodeChar(cp < 0 ? 0xFFFD : static_cast<uint32_t>(cp));
      skip_chars_ = stack_.back().uc;
      return;
    }
    if (ConsumeSkip()) return;
    if (Skipping()) return;
    if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
      Emit("\r\n");
    } else if (word == "tab" || word == "cell") {
      Emit("\t");
    } else if (word == "emdash") {
      Emit("\u2014");
    } else if (word == "endash") {
      Emit("\u2013");
    } else if (word == "bullet") {
      Emit("\u2022");
    } else if (word == "lquote") {
      Emit("\u2018");
    } else if (word == "rquote") {
      Emit("\u2019");
    } else if (word == "ldblquote") {
      Emit("\u201C");
    } else if (word == "rdblquote") {
      Emit("\u201D");
    }
  }

  // \uN, pairing UTF-16 surrogates written as two \u words.
  void UnicodeChar(uint32_t unit) {
    FlushBytes();
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (high_surrogate_) AppendCodePoint(out_, 0xFFFD);
      high_surrogate_ = unit;
      pending_surrogate_at_ = out_.size();
      return;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF && high_surrogate_ && pending_surrogate_at_ == out_.size()) {
      AppendCodePoint(out_, 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00));
      high_surrogate_ = 0;
      return;
    }
    high_surrogate_ = 0;
    AppendCodePoint(out_, unit);
  }

  std::string_view in_;
  size_t pos_ = 0;
  std::vector<GroupState> stack_;
  bool group_start_ = false;
  int skip_chars_ = 0;
  int codepage_ = 1252;
  UConverter* converter_ = nullptr;
  int converter_codepage_ = 0;
  uint32_t high_surrogate_ = 0;
  size_t pending_surrogate_at_ = 0;
  std::string raw_, coded_, out_;
};

bool IsRichText(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  return text.substr(0, 5) == "{\\rtf";
}

}  // namespace

std::string RTFToTXT(std::string_view rtf) {
  if (!IsRichText(rtf)) return std::string(rtf);
  size_t start = rtf.find('{');
  return RtfReader(rtf.substr(start)).Read();
}

}  // namespace toolworks
