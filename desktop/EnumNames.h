// desktop/EnumNames.h -- the names descriptions use for enumerations shared by several control families
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "Label.h"
#include "Panel.h"

const std::vector<std::pair<std::string, TAlignment>>& AlignmentNames();   // taLeftJustify, ...
const std::vector<std::pair<std::string, TBevelCut>>& BevelCutNames();     // bvNone, ...
