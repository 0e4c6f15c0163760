// shell/sxWav.cpp -- TsxWav over PlaySoundA
//
// A sound played asynchronously from memory keeps reading the storage's bytes after Play has
// returned, so the bytes may not change or go while it may still run: the component that started
// such a sound last is remembered, and it stops the sound before its bytes are replaced or freed.
#include "shell/sxWav.h"
#include "desktop/Classes.h"
#include "desktop/LateBinding.h"

#include <mmsystem.h>

#include <cstdint>
#include <cstring>

namespace {

// The component whose memory sound may still be playing; the GUI thread alone touches it.
const TsxWav* gMemorySoundOwner = nullptr;

// The sound DLL is bound at the first sound (desktop/LateBinding.h): null without it. Until a
// sound was played there is none to stop, and no reason to load it.
decltype(PlaySoundA)* PlaySoundFunction() {
    static decltype(PlaySoundA)* const play = BindLate<decltype(PlaySoundA)>("winmm.dll", "PlaySoundA");
    return play;
}
bool gSoundPlayed = false;

uint32_t Le32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

} // namespace

bool IsWholeWaveFile(const std::vector<unsigned char>& data) {
    constexpr size_t HeaderBytes = 12, ChunkHeaderBytes = 8;
    if (data.size() < HeaderBytes || std::memcmp(data.data(), "RIFF", 4) != 0 || std::memcmp(data.data() + 8, "WAVE", 4) != 0)
        return false;
    uint64_t riffEnd = 8 + static_cast<uint64_t>(Le32(data.data() + 4));
    if (riffEnd > data.size()) return false;
    for (uint64_t at = HeaderBytes; at < riffEnd;) {
        if (at + ChunkHeaderBytes > riffEnd) return false;
        uint64_t size = Le32(data.data() + at + 4);
        at += ChunkHeaderBytes + size + (size & 1);   // chunks are padded to even sizes
        if (at > riffEnd + (size & 1)) return false;
    }
    return true;
}

TsxWav::~TsxWav() { Stop(); }

void TsxWav::PrepareSound() {
    FFlags = 0;
    if (FAsyncPlay) FFlags |= SND_ASYNC;
    // A synchronous loop never returns: a looped sound always plays asynchronously.
    if (FLooped) FFlags |= SND_LOOP | SND_ASYNC;
    if (FNoDefaultSound) FFlags |= SND_NODEFAULT;
    if (FNoStopSound) FFlags |= SND_NOSTOP;
    if (FNoWaitIfBusy) FFlags |= SND_NOWAIT;
    FModule = nullptr;
    switch (FPlayFrom) {
    case pfFile:
        FFlags |= SND_FILENAME;
        FSource = FileName().c_str();
        break;
    case pfResource:
        FFlags |= SND_RESOURCE;
        FSource = FResourceName.c_str();
        FModule = GetModuleHandleA(nullptr);
        break;
    case pfDFM:
        FFlags |= SND_MEMORY;
        FSource = reinterpret_cast<const char*>(Data().data());
        break;
    case pfSystemEvent:
        FFlags |= SND_ALIAS;
        FSource = FEventAlias.c_str();
        break;
    }
}

bool TsxWav::Play() {
    PrepareSound();
    bool fromMemory = FPlayFrom == pfDFM;
    FPlaying = true;
    bool accepted = false;
    try {
        if (FOnPlayBefore) FOnPlayBefore(this);
        // The handler may have changed the sound: prepare again so the source is current.
        PrepareSound();
        if (!fromMemory || IsWholeWaveFile(Data())) {
            if (auto* play = PlaySoundFunction()) {
                gSoundPlayed = true;
                accepted = play(FSource, FModule, FFlags) != FALSE;
            }
            if (fromMemory && accepted && (FFlags & SND_ASYNC)) gMemorySoundOwner = this;
        }
        if (FOnPlayAfter) FOnPlayAfter(this);
    } catch (...) {
        FPlaying = false;
        throw;
    }
    FPlaying = false;
    return accepted;
}

void TsxWav::Stop() {
    FPlaying = false;
    if (gSoundPlayed) PlaySoundFunction()(nullptr, nullptr, 0);
    if (gMemorySoundOwner == this) gMemorySoundOwner = nullptr;
}

void TsxWav::ReplaceData(std::vector<unsigned char> data) {
    if (gMemorySoundOwner == this) Stop();
    TsxCustomFileStorage::ReplaceData(std::move(data));
}

void TsxWav::SetAsyncPlay(bool value) {
    if (value == FAsyncPlay) return;
    FAsyncPlay = value;
    if (value && FPlaying) Stop();
}

void TsxWav::SetLooped(bool value) {
    if (value == FLooped) return;
    FLooped = value;
    if (!FPlaying) return;
    Stop();
    if (value) Play();
}

void TsxWav::SetNoWaitIfBusy(bool value) {
    if (value == FNoWaitIfBusy) return;
    FNoWaitIfBusy = value;
    if (value && FPlaying) {
        Stop();
        Play();
    }
}

void TsxWav::SetEventAlias(const std::string& value) {
    if (value == FEventAlias) return;
    FEventAlias = value;
    if (FPlayFrom != pfSystemEvent) return;
    if (FPlaying) Play();
    else Stop();
}

void TsxWav::SetResourceName(const std::string& value) {
    if (value == FResourceName) return;
    FResourceName = value;
    if (FPlayFrom == pfResource && FPlaying) Play();
}

void TsxWav::SetFileName(const std::string& value) {
    if (value == FileName()) return;
    if (FPlayFrom != pfDFM) {
        StoreFileName(value);
        return;
    }
    TsxCustomFileStorage::SetFileName(value);
    if (FPlaying) Play();
    else Stop();
}

void TsxWav::SetPlayFrom(TsxWavPlayFrom value) {
    if (value == FPlayFrom) return;
    FPlayFrom = value;
    // While a description is read its own FileData is the sound's data, read after this.
    if (IsLoading()) return;
    if (value == pfDFM) LoadFromFile(FileName());
    else Clear();
}

void RegisterWavClass() {
    TClassRegistration<TsxWav>("TsxWav", "TsxCustomFileStorage")
        .Bool("AsyncPlay", &TsxWav::SetAsyncPlay)
        .Bool("Looped", &TsxWav::SetLooped)
        .Bool("NoDefaultSound", &TsxWav::SetNoDefaultSound)
        .Bool("NoStopSound", &TsxWav::SetNoStopSound)
        .Bool("NoWaitIfBusy", &TsxWav::SetNoWaitIfBusy)
        .Enum<TsxWavPlayFrom>("PlayFrom", &TsxWav::SetPlayFrom,
                              {{"pfFile", pfFile}, {"pfResource", pfResource}, {"pfDFM", pfDFM},
                               {"pfSystemEvent", pfSystemEvent}})
        .String("FileName", &TsxWav::SetFileName)
        .String("ResourceName", &TsxWav::SetResourceName)
        .String("EventAlias", &TsxWav::SetEventAlias)
        .Event<TNotifyEvent>("OnPlayBefore", &TsxWav::SetOnPlayBefore)
        .Event<TNotifyEvent>("OnPlayAfter", &TsxWav::SetOnPlayAfter);
}
