// core/AutoProtection.h -- what Automatic Protection does when a monitor reports a change:
// black-listed autostart values deleted, black-listed program files swept into the Trashcan
//
// Both reactions compare upper-cased (ASCII letters). A change notification says nothing of
// what changed, so each reaction looks at the whole key or the whole Black List.
#pragma once
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

class TIniFile;

// The Black List entry that one value of root\keyPath starts, or "": a value whose whole
// command line, upper-cased and without quotes, equals an upper-cased used slot. The last
// matching value in name order wins, and within it the highest slot. A missing key finds nothing.
std::string FindBlackListedValue(const TIniFile& blackList, HKEY root, const std::string& keyPath);

// Deletes, entry after entry, every value of root\keyPath whose command line contains a
// black-listed value's entry, until a look finds nothing more. A registry notification is
// one-shot: values written while a reaction runs are not reported again, so one entry per
// notification would leave them standing. An entry whose values refuse to go is passed over
// for the rest of the round (the next change or scan tries again). Returns the number deleted.
int RemoveBlackListedValues(const TIniFile& blackList, HKEY root, const std::string& keyPath);

// The folder reaction: every existing file of the Black List, wherever it lies, is handed to
// the remover. Kept between sweeps so that a file that cannot be removed is reported once,
// not at every change (again once it was gone or removed in between).
class TIntruderSweep {
public:
    // Stops the program and moves its file into the Trashcan. True: moved. May throw
    // Exception, whose text is the reason shown.
    using TRemoveFile = std::function<bool(const std::string& path)>;

    // The Home page lines of this sweep: "Automatically removed intruder (<path>)" per moved
    // file, and one line per file that could not be moved and was not reported yet.
    std::vector<std::string> Sweep(const TIniFile& blackList, const TRemoveFile& remove);

private:
    std::set<std::string> FReported;  // upper-cased paths whose failure is on the Home page
};
