#include "host/vcl/format_settings.h"

namespace vcl {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

void ResetFormatSettings() { FormatSettings() = TFormatSettings{}; }

}  // namespace vcl
