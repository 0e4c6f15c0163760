// core/ListFileCopy.h -- TListFileCopy: one list file's slots held in memory, never stale
//
// Before each use the whole file is read in one go and compared, byte for byte, with the
// bytes the copy was made from; only a change is parsed again. A check of size and time
// stamp alone would miss another program's same-size rewrite within the time stamp's
// resolution. The profile API's own cache is checked that way, so the bytes are parsed
// here rather than read back through it.
//
// The one exception: a copy made longer after the file's last change than the file system's
// time stamps are coarse. Any later write then gives the file a time stamp that differs from
// the one the copy noted, so an unchanged stamp (size, times, attributes) is proof enough and
// the file is not read. The stamp holds the change time, too, where the file system keeps one:
// a program that rewrites the file and puts its write time back cannot put that one back. A stamp in whole seconds may come from FAT's two-second steps or a
// one-second file system; one with a fraction of a second comes from a file system that keeps
// the system clock's tick (at most some 16 ms), and FineSettleMs leaves it a wide margin.
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

    // After a last write stamped in whole seconds (FAT's two seconds), or with a fraction of one.
    static constexpr unsigned CoarseSettleMs = 2000;
    static constexpr unsigned FineSettleMs = 500;
    static unsigned SettleMsAfter(const FILETIME& written) noexcept;

private:
    struct TStamp {
        DWORD Attributes;
        FILETIME Created, Written, Changed;   // Changed: zero where the file system keeps none
        DWORD SizeHigh, SizeLow;
        bool operator==(const TStamp& other) const noexcept;
        const FILETIME& LastChange() const noexcept;   // the later of Written and Changed
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
