// desktop/StringList.cpp -- TStringList
#include "StringList.h"

#include <windows.h>

#include <algorithm>

#include "Handle.h"

namespace {

int CompareText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()); }

}  // namespace

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index, Count() - 1);
    return FItems[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& s) {
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(index, Count() - 1);
    FItems[static_cast<size_t>(index)] = s;
}

int TStringList::Add(const std::string& s) {
    if (!FSorted) {
        FItems.push_back(s);
        return Count() - 1;
    }
    int index = 0;
    if (Find(s, index)) {
        if (FDuplicates == dupIgnore) return -1;
        if (FDuplicates == dupError) throw EStringListError(Format("String list does not allow duplicates (\"%s\")", s.c_str()));
    }
    FItems.insert(FItems.begin() + index, s);
    return index;
}

void TStringList::Insert(int index, const std::string& s) {
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(index, Count());
    FItems.insert(FItems.begin() + index, s);
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    FItems.erase(FItems.begin() + index);
}

void TStringList::AddStrings(const TStringList& source) {
    if (&source == this) {
        TStringList copy(source);
        AddStrings(copy);
        return;
    }
    for (const std::string& s : source.FItems) Add(s);
}

int TStringList::IndexOf(const std::string& s) const {
    if (FSorted) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (size_t i = 0; i < FItems.size(); ++i)
        if (CompareText(FItems[i], s) == 0) return static_cast<int>(i);
    return -1;
}

bool TStringList::Find(const std::string& s, int& indexOut) const {
    if (!FSorted) {
        indexOut = IndexOf(s);
        return indexOut >= 0;
    }
    // Lower bound, so that with dupAccept the first of equal strings is found.
    auto it = std::lower_bound(FItems.begin(), FItems.end(), s,
                               [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    indexOut = static_cast<int>(it - FItems.begin());
    return it != FItems.end() && CompareText(*it, s) == 0;
}

void TStringList::SetSorted(bool value) {
    if (FSorted == value) return;
    if (value) Sort();
    FSorted = value;
}

void TStringList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
}

std::string TStringList::Text() const {
    std::string text;
    for (const std::string& s : FItems) {
        text += s;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(const std::string& text) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            items.push_back(text.substr(start));
            break;
        }
        items.push_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    if (FSorted) {
        FItems.clear();
        for (const std::string& s : items) Add(s);
    } else {
        FItems = std::move(items);
    }
}

void TStringList::LoadFromFile(const std::string& fileName) {
    THandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) throw EWin32Error(Format("TStringList.LoadFromFile(\"%s\"): CreateFileA", fileName.c_str()), GetLastError());
    std::string data;
    char buffer[16384];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr))
            throw EWin32Error(Format("TStringList.LoadFromFile(\"%s\"): ReadFile", fileName.c_str()), GetLastError());
        if (read == 0) break;
        data.append(buffer, read);
    }
    SetText(data);
}

void TStringList::SaveToFile(const std::string& fileName) const {
    THandle file(CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) throw EWin32Error(Format("TStringList.SaveToFile(\"%s\"): CreateFileA", fileName.c_str()), GetLastError());
    std::string data = Text();
    DWORD written = 0;
    if (!WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) || written != data.size())
        throw EWin32Error(Format("TStringList.SaveToFile(\"%s\"): WriteFile", fileName.c_str()), GetLastError());
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit) throw EStringListError(Format("List index out of bounds (%d)", index));
}
