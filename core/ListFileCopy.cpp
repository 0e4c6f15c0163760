// core/ListFileCopy.cpp -- TListFileCopy and the copies of this process
#include "core/ListFileCopy.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <map>

#include "core/ListFile.h"
#include "desktop/Handle.h"
#include "desktop/IniFile.h"
#include "desktop/LateBinding.h"
#include "desktop/SysUtils.h"

namespace {

// What NtQueryFullAttributesFile answers: the attributes GetFileAttributesEx gives, and the
// change time, which every write and every change of the other times moves on.
struct TFullAttributes {
    LARGE_INTEGER CreationTime, LastAccessTime, LastWriteTime, ChangeTime, AllocationSize, EndOfFile;
    ULONG FileAttributes;
};
using TQueryFullAttributes = NTSTATUS NTAPI(OBJECT_ATTRIBUTES*, TFullAttributes*);

FILETIME FileTimeOf(const LARGE_INTEGER& time) {
    return FILETIME{static_cast<DWORD>(time.QuadPart), static_cast<DWORD>(static_cast<uint64_t>(time.QuadPart) >> 32)};
}

// The file's NT path: \??\C:\..., or \??\UNC\server\share\... for a share.
std::wstring NtPathOf(const std::string& fileName) {
    const int length = MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, wide.data(), length);
    std::wstring full(MAX_PATH, L'\0');
    DWORD got = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (got >= full.size()) {
        full.resize(got);
        got = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(got < full.size() ? got : 0);
    if (full.compare(0, 4, L"\\\\?\\") == 0) return L"\\??\\" + full.substr(4);
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\??\\UNC\\" + full.substr(2);
    return L"\\??\\" + full;
}

enum class TFileRead { Read, Missing, Failed };

// The whole file from one open. Others may read and write it meanwhile, as the profile API lets them.
TFileRead ReadBytes(const std::string& fileName, std::string& bytesOut) {
    THandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        const DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? TFileRead::Missing : TFileRead::Failed;
    }
    bytesOut.clear();
    char buffer[16384];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr)) return TFileRead::Failed;
        if (got == 0) return TFileRead::Read;
        bytesOut.append(buffer, got);
    }
}

// A byte-order mark: text in a form only the profile API reads as it does.
bool IsMarkedText(const std::string& bytes) {
    return bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0 ||
           bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// The slot a key names: "0" to "200" exactly, as listfile::SlotKey writes them; -1 for any other key.
int SlotOfKey(const std::string& key) {
    if (key.empty() || key.size() > 3 || (key.size() > 1 && key[0] == '0')) return -1;
    int slot = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return -1;
        slot = slot * 10 + (c - '0');
    }
    return slot < listfile::SlotCount ? slot : -1;
}

constexpr uint64_t TicksPerMs = 10000;   // FILETIME counts 100 ns

uint64_t Ticks(const FILETIME& time) { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

uint64_t NowTicks() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return Ticks(now);
}

std::shared_ptr<const TListSlots> SlotsOf(std::vector<TIniValue> values) {
    auto slots = std::make_shared<TListSlots>(listfile::SlotCount);
    for (TIniValue& value : values)
        if (const int slot = SlotOfKey(value.Key); slot >= 0) (*slots)[slot] = std::move(value.Value);
    return slots;
}

} // namespace

bool TListFileCopy::TStamp::operator==(const TStamp& other) const noexcept {
    return Attributes == other.Attributes && Ticks(Created) == Ticks(other.Created) &&
           Ticks(Written) == Ticks(other.Written) && Ticks(Changed) == Ticks(other.Changed) &&
           SizeHigh == other.SizeHigh && SizeLow == other.SizeLow;
}

const FILETIME& TListFileCopy::TStamp::LastChange() const noexcept {
    return Ticks(Changed) > Ticks(Written) ? Changed : Written;
}

std::optional<TListFileCopy::TStamp> TListFileCopy::StampOf(const std::string& fileName) {
    // Asked by path, as GetFileAttributesEx asks: no handle is opened.
    static TQueryFullAttributes* const query = BindLate<TQueryFullAttributes>("ntdll.dll", "NtQueryFullAttributesFile");
    if (query) {
        std::wstring path = NtPathOf(fileName);
        UNICODE_STRING name{static_cast<USHORT>(path.size() * sizeof(wchar_t)),
                            static_cast<USHORT>(path.size() * sizeof(wchar_t)), path.data()};
        OBJECT_ATTRIBUTES attributes{sizeof(OBJECT_ATTRIBUTES), nullptr, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr};
        TFullAttributes data{};
        if (query(&attributes, &data) < 0) return std::nullopt;
        return TStamp{data.FileAttributes, FileTimeOf(data.CreationTime), FileTimeOf(data.LastWriteTime),
                      FileTimeOf(data.ChangeTime), static_cast<DWORD>(static_cast<uint64_t>(data.EndOfFile.QuadPart) >> 32),
                      static_cast<DWORD>(data.EndOfFile.QuadPart)};
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return TStamp{data.dwFileAttributes, data.ftCreationTime, data.ftLastWriteTime, FILETIME{}, data.nFileSizeHigh,
                  data.nFileSizeLow};
}

std::shared_ptr<const TListSlots> TListFileCopy::Current() {
    // Taken before the file is looked at: a write after this moment is one the copy may miss.
    const uint64_t lookedAt = NowTicks();
    const std::optional<TStamp> stamp = StampOf(FFileName);
    {
        TCriticalSectionGuard guard(FLock);
        if (stamp && FSettledStamp && *stamp == *FSettledStamp) return FSlots;
    }
    std::string bytes;
    const TFileRead read = ReadBytes(FFileName, bytes);
    TCriticalSectionGuard guard(FLock);
    FSettledStamp.reset();
    if (read == TFileRead::Failed) {
        // Held open by a writer that shares nothing, say: the profile API's view is the best
        // there is, and the next look reads the file again.
        FBytes.reset();
        return SlotsOf(TIniFile(FFileName).ReadSectionValues(listfile::Section));
    }
    if (!FBytes || *FBytes != bytes) {
        FSlots = Parse(bytes);
        FBytes = std::move(bytes);
    }
    // A write between the stamp and the read shows as a newer stamp at the next look.
    if (read == TFileRead::Read && stamp &&
        Ticks(stamp->LastChange()) + uint64_t{SettleMsAfter(stamp->LastChange())} * TicksPerMs < lookedAt)
        FSettledStamp = stamp;
    return FSlots;
}

unsigned TListFileCopy::SettleMsAfter(const FILETIME& written) noexcept {
    return Ticks(written) % (1000 * TicksPerMs) == 0 ? CoarseSettleMs : FineSettleMs;
}

std::shared_ptr<const TListSlots> TListFileCopy::Parse(const std::string& bytes) const {
    if (IsMarkedText(bytes)) return SlotsOf(TIniFile(FFileName).ReadSectionValues(listfile::Section));
    return SlotsOf(ParseIniSection(bytes, listfile::Section));
}

namespace listfile {

TListFileCopy& CopyOf(const std::string& fileName) {
    // Guards copies: any thread may ask for a file's copy first. Never destroyed: a monitor's
    // worker may still look while the process ends.
    static TCriticalSection* const lock = new TCriticalSection;
    static auto* const copies = new std::map<std::string, std::unique_ptr<TListFileCopy>>;
    TCriticalSectionGuard guard(*lock);
    std::unique_ptr<TListFileCopy>& copy = (*copies)[UpperCaseAscii(fileName)];
    if (!copy) copy = std::make_unique<TListFileCopy>(fileName);
    return *copy;
}

} // namespace listfile
