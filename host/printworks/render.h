// What the text and HTML renderings share: the value each layout item shows,
// the items of a section the layout does not describe, and the split of a
// multi-line text into its lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/printworks/layout.h"
#include "host/printworks/names.h"
#include "host/printworks/param.h"

namespace vcl { class TClientDataSet; }

namespace printworks {

// Texts given to layout objects with SetDelphiObjCaption, by object name.
using ObjectCaptions = NameMap<std::string>;

// The text an item shows for the current section: a parameter's value, a
// field of the DataSet's current row, a layout object's caption (else the
// parameter of that name) or the item's fixed text.
std::string ItemValue(const LayoutItem& item, const TnpqPowerParam& params,
                      const vcl::TClientDataSet* row, const ObjectCaptions& captions);

// The items shown for a section the layout does not describe: every printed
// value set so far, then the DataSet's columns when there is one. Each item
// carries its value in `caption`'s place of use: first = label, second = text.
std::vector<std::pair<std::string, std::string>> UndescribedSection(
    const TnpqPowerParam& params, const vcl::TClientDataSet* row);

// The lines of a text; CR LF, LF and CR all end a line. Always at least one.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace printworks
