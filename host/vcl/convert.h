// Conversions between texts and numbers or booleans, in the host's locale.
// The strict ones raise EConvertError with a Portuguese message naming the text.
#pragma once

#include <cstdint>
#include <string>

namespace vcl {

// Decimal integer with optional sign and surrounding blanks, also $hex.
// Raises EConvertError "'<text>' não é um valor inteiro válido".
int StrToInt(const std::string& text);
int64_t StrToInt64(const std::string& text);
int StrToIntDef(const std::string& text, int fallback);
bool TryStrToInt(const std::string& text, int& value);

// A number written with the host's decimal separator (thousands separators
// not allowed). Raises EConvertError "'<text>' não é um valor numérico válido".
double StrToFloat(const std::string& text);
bool TryStrToFloat(const std::string& text, double& value);

// "true"/"false" in any letter case, or an integer (nonzero is true).
// Raises EConvertError "'<text>' não é um valor booleano válido".
bool StrToBool(const std::string& text);
bool TryStrToBool(const std::string& text, bool& value);

std::string IntToStr(int64_t value);
std::string BoolToStr(bool value, bool use_words = false);

// The general number form: the shortest plain decimal text of the value with
// up to 15 significant digits, no grouping, the host's decimal separator.
// 2.5 -> "2,5", 3 -> "3", 0.1+0.2 -> "0,3".
std::string FloatToStr(double value);

// Number pictures: '0' a digit always shown, '#' a digit shown when
// significant, ',' asks for thousands grouping, '.' places the decimal
// separator (both written in the host's locale). Negative values get a
// leading '-'; halves are rounded away from zero. Up to three sections
// separated by ';' (positive;negative;zero) as the platform allows.
std::string FormatFloat(const std::string& picture, double value);

}  // namespace vcl
