// Rich-text (RTF) descriptions of inspections as a Windows text editor saves
// them: ASCII only, accented letters written as \'xx escapes of code page
// 1252.
#pragma once

#include <string>
#include <vector>

#include "db/seed/prng.h"

namespace agency_seed {

// Turns UTF-8 text into the body of an RTF document: \, { and } escaped,
// letters of code page 1252 as \'xx, line breaks as \par.
std::string RtfEscape(const std::string& utf8);

// A whole RTF document: a heading line in bold, then one paragraph per line.
std::string RtfDocument(const std::string& heading, const std::vector<std::string>& lines);

// The description of an inspection of the given kind (0 move-in, 1 move-out,
// 2 by the agency, 3 addendum to inspection `amended`).
std::string InspectionRtf(Prng& rng, int kind, int amended);

}  // namespace agency_seed
