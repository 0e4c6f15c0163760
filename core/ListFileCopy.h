// core/ListFileCopy.h -- TListFileCopy: one list file's slots held in memory, never stale
//
// Before each use the whole file is read in one go and compared, byte for byte, with the
// bytes the copy was made from; only a change is parsed again. A check of size and time
// stamp alone would miss another program's same-size rewrite within the time stamp's
// resolution. The profile API's own cache is checked that way, so the bytes are parsed
// here rather than read back through it.
//
// The one exception: a copy made more than SettleMs after the file's last write. Any later
// write then gives the file a time stamp that differs from the one the copy noted, so an
// unchanged stamp (size, times, attributes) is proof enough and the file is not read.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/SyncObjs.h"

// The slots of section "list" as one look at the file found them; nullopt: no key.
using TListSlots = std::vector<std::optional<std::string>>;

class TListFileCopy {
public:
    explicit TListFileCopy(std::string fileName) : FFileName(std::move(fileName)) {}
    TListFileCopy(const TListFileCopy&) = delete;
    TListFileCopy& operator=(const TListFileCopy&) = delete;

    // The slots as the file holds them now; a missing file has none. Safe from any thread;
    // the snapshot stays valid (and unchanged) for as long as the caller keeps it.
    std::shared_ptr<const TListSlots> Current();

    // The coarsest time stamp of the file systems a list may live on (FAT's two seconds).
    static constexpr unsigned SettleMs = 2000;

private:
    struct TStamp {
        DWORD Attributes;
        FILETIME Created, Written;
        DWORD SizeHigh, SizeLow;
        bool operator==(const TStamp& other) const noexcept;
    };
    static std::optional<TStamp> StampOf(const std::string& fileName);
    std::shared_ptr<const TListSlots> Parse(const std::string& bytes) const;

    const std::string FFileName;
    // Guards FBytes and FSlots: the GUI thread and the monitors' workers may look at once.
    TCriticalSection FLock;
    std::optional<std::string> FBytes;      // nullopt: nothing read yet
    std::optional<TStamp> FSettledStamp;    // the file's stamp when the copy was made settled; nullopt: not settled
    std::shared_ptr<const TListSlots> FSlots;
};

namespace listfile {

// The one copy of the file of that name (letter case ignored), made at its first use.
TListFileCopy& CopyOf(const std::string& fileName);

} // namespace listfile
