// desktop/StringList.h -- TStringList: an ordered list of strings, optionally sorted
#pragma once
#include <string>
#include <vector>

#include "Object.h"
#include "SysUtils.h"

// A bad index, or an Insert into a sorted list, or a duplicate refused by dupError.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };  // what Add does with a duplicate in a sorted list

class TStringList : public TObject {
public:
    TStringList() = default;

    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    const std::string& Strings(int index) const;     // throws EStringListError
    const std::string& operator[](int index) const { return Strings(index); }
    void Put(int index, const std::string& s);       // not allowed on a sorted list

    int Add(const std::string& s);                   // index where it went; -1: dupIgnore dropped it
    void Insert(int index, const std::string& s);    // index == Count appends
    void Delete(int index);
    void Clear() noexcept { FItems.clear(); }
    void Assign(const TStringList& source) { FItems = source.FItems; }
    void AddStrings(const TStringList& source);

    // Letter case ignored as the system's string comparison ignores it (lstrcmpiA).
    int IndexOf(const std::string& s) const;         // -1: not found
    bool Find(const std::string& s, int& indexOut) const;  // sorted lists: binary search; else IndexOf

    bool Sorted() const noexcept { return FSorted; }
    void SetSorted(bool value);                      // true sorts at once
    TDuplicates Duplicates() const noexcept { return FDuplicates; }
    void SetDuplicates(TDuplicates value) noexcept { FDuplicates = value; }
    void Sort();

    // Every line followed by CR LF; SetText splits at CR LF, LF or a lone CR.
    std::string Text() const;
    void SetText(const std::string& text);

    void LoadFromFile(const std::string& fileName);  // throws EWin32Error naming the file
    void SaveToFile(const std::string& fileName) const;  // throws EWin32Error naming the file

private:
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
};
