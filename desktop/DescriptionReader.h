// desktop/DescriptionReader.h -- reads a window description and builds its components
//
//   object editor: Teditor
//     Caption = 'Sentinox Control Center'
//     OnIdle = propsIdle
//     object startup: TCheckBox
//       Checked = True
//     end
//   end
//
// Values: integers (also $hex and negative), numbers, 'strings' with #nn
// characters joined by +, identifiers, [sets], (lists of strings) and
// {hex binary data}. Children are owned by the root; a control's parent is
// the control its block sits in. After every property is set, Loaded() runs
// on each component in description order, the root first.
#pragma once
#include <string>
#include <vector>

#include "Classes.h"

// Applies text to root, whose class (and so its handlers and fields) is rootClass.
// Throws EDescriptionError naming the line and the missing class, property, handler or field.
void LoadDescription(TComponent* root, const TClassInfo& rootClass, const std::string& text);

// Binary property data as a description writes it: "{", 32 bytes of upper-case hex to a line,
// "}"; what LoadDescription reads back byte for byte.
std::string BinaryValueText(const std::vector<unsigned char>& data);

// The description compiled into the program as an RCDATA resource named after the class (upper case).
std::string DescriptionResource(const std::string& className);   // throws EDescriptionError when absent
