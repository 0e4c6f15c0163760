// shell/sxWav.h -- TsxWav: plays a wave sound through PlaySoundA from a file, a resource of the
// program, the bytes its window description carries, or a system event's alias
//
// IsPlaying is true only while a Play call runs: with AsyncPlay, PlaySoundA returns at once, so
// later property changes do not restart the sound, while changes made inside OnPlayBefore or
// OnPlayAfter do.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "desktop/Events.h"
#include "shell/sxFileStorage.h"

enum class TsxWavPlayFrom { pfFile, pfResource, pfDFM, pfSystemEvent };
using enum TsxWavPlayFrom;

class TsxWav : public TsxCustomFileStorage {
public:
    explicit TsxWav(TComponent* owner) : TsxCustomFileStorage(owner) {}
    ~TsxWav() override;                          // Stop

    bool AsyncPlay() const noexcept { return FAsyncPlay; }
    virtual void SetAsyncPlay(bool value);
    bool Looped() const noexcept { return FLooped; }
    virtual void SetLooped(bool value);
    bool NoDefaultSound() const noexcept { return FNoDefaultSound; }
    void SetNoDefaultSound(bool value) noexcept { FNoDefaultSound = value; }
    bool NoStopSound() const noexcept { return FNoStopSound; }
    void SetNoStopSound(bool value) noexcept { FNoStopSound = value; }
    bool NoWaitIfBusy() const noexcept { return FNoWaitIfBusy; }
    virtual void SetNoWaitIfBusy(bool value);
    TsxWavPlayFrom PlayFrom() const noexcept { return FPlayFrom; }
    virtual void SetPlayFrom(TsxWavPlayFrom value);   // pfDFM loads the data from FileName; others empty it
    void SetFileName(const std::string& value) override;
    const std::string& ResourceName() const noexcept { return FResourceName; }
    virtual void SetResourceName(const std::string& value);
    const std::string& EventAlias() const noexcept { return FEventAlias; }
    virtual void SetEventAlias(const std::string& value);
    const TNotifyEvent& OnPlayBefore() const noexcept { return FOnPlayBefore; }
    void SetOnPlayBefore(const TNotifyEvent& value) { FOnPlayBefore = value; }
    const TNotifyEvent& OnPlayAfter() const noexcept { return FOnPlayAfter; }
    void SetOnPlayAfter(const TNotifyEvent& value) { FOnPlayAfter = value; }

    bool IsPlaying() const noexcept { return FPlaying; }
    DWORD SoundFlags() const noexcept { return FFlags; }   // as the last PrepareSound made them

    virtual void PrepareSound();
    // true: PlaySoundA took the sound (an asynchronous one is only queued). Bytes that are no
    // whole wave file are not handed to it: the system reads a memory sound without a length.
    virtual bool Play();
    virtual void Stop();                         // stops any sound of the process

protected:
    void ReplaceData(std::vector<unsigned char> data) override;   // stops a sound still reading the old bytes

private:
    bool FAsyncPlay = true;
    bool FLooped = false;
    bool FNoDefaultSound = true;
    bool FNoStopSound = false;
    bool FNoWaitIfBusy = true;
    TsxWavPlayFrom FPlayFrom = pfFile;
    std::string FResourceName = "WAVE1";
    std::string FEventAlias = ".Default";
    TNotifyEvent FOnPlayBefore;
    TNotifyEvent FOnPlayAfter;
    bool FPlaying = false;
    // The prepared sound: source text or bytes, module and flags.
    const char* FSource = nullptr;
    HMODULE FModule = nullptr;
    DWORD FFlags = 0;
};

// A RIFF "WAVE" file whose chunks all lie inside the bytes given.
bool IsWholeWaveFile(const std::vector<unsigned char>& data);

// Registers TsxWav; TsxCustomFileStorage comes first.
void RegisterWavClass();
