// tests/shell/sxWavTest.cpp -- TsxWav with a small wave file the test writes. The test machine may
// have no audio device (a synchronous PlaySoundA then fails, an asynchronous one is only queued):
// what is checked is what the component hands to the system and how it handles the answer.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <functional>
#include <string>
#include <vector>

#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "shell/ShellComponentClasses.h"
#include "shell/sxWav.h"
#include "sxFileTestSupport.h"

using namespace sxtest;

namespace {

// A mono 8-bit 8 kHz wave file of `samples` samples of a square tone.
std::vector<unsigned char> WaveBytes(unsigned samples) {
    std::vector<unsigned char> d;
    auto text = [&](const char* s) { for (int i = 0; i < 4; ++i) d.push_back(static_cast<unsigned char>(s[i])); };
    auto u32 = [&](unsigned v) { for (int i = 0; i < 4; ++i) d.push_back(static_cast<unsigned char>(v >> (8 * i))); };
    auto u16 = [&](unsigned v) { d.push_back(static_cast<unsigned char>(v)); d.push_back(static_cast<unsigned char>(v >> 8)); };
    text("RIFF"); u32(36 + samples + (samples & 1)); text("WAVE");
    text("fmt "); u32(16); u16(1); u16(1); u32(8000); u32(8000); u16(1); u16(8);
    text("data"); u32(samples);
    for (unsigned i = 0; i < samples; ++i) d.push_back(i % 20 < 10 ? 168 : 88);
    if (samples & 1) d.push_back(0);
    return d;
}

std::string AsText(const std::vector<unsigned char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Owner of the component under test and the target of its events.
class TWavRoot : public TComponent {
public:
    TWavRoot() : TComponent(nullptr) {}
    void wavBefore(TObject* sender) {
        auto* wav = static_cast<TsxWav*>(sender);
        Log.push_back(std::string("before") + (wav->IsPlaying() ? " playing" : ""));
        if (BeforeAction) BeforeAction(*wav);
    }
    void wavAfter(TObject* sender) {
        auto* wav = static_cast<TsxWav*>(sender);
        Log.push_back(std::string("after") + (wav->IsPlaying() ? " playing" : ""));
        if (AfterAction) {
            auto action = std::move(AfterAction);   // once
            AfterAction = nullptr;
            action(*wav);
        }
    }
    std::vector<std::string> Log;
    std::function<void(TsxWav&)> BeforeAction, AfterAction;
};

const TClassInfo& WavRootClass() {
    RegisterShellComponentClasses();
    static TClassInfo& info = TClassRegistration<TWavRoot>("TWavRoot", "TComponent")
                                  .Handler("wavBefore", &TWavRoot::wavBefore)
                                  .Handler("wavAfter", &TWavRoot::wavAfter)
                                  .Info();
    return info;
}

class WavTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteWholeFile(FFolder / "tone.wav", AsText(WaveBytes(400)));
        FWav = new TsxWav(&FRoot);
        FWav->SetOnPlayBefore(TNotifyEvent(&FRoot, &TWavRoot::wavBefore));
        FWav->SetOnPlayAfter(TNotifyEvent(&FRoot, &TWavRoot::wavAfter));
    }

    TTempFolder FFolder;
    TWavRoot FRoot;
    TsxWav* FWav = nullptr;   // owned by FRoot
};

TEST_F(WavTest, TheDefaultsPlayAFileAsynchronouslyWithoutTheDefaultSound) {
    EXPECT_TRUE(FWav->AsyncPlay());
    EXPECT_FALSE(FWav->Looped());
    EXPECT_TRUE(FWav->NoDefaultSound());
    EXPECT_FALSE(FWav->NoStopSound());
    EXPECT_TRUE(FWav->NoWaitIfBusy());
    EXPECT_EQ(FWav->PlayFrom(), pfFile);
    EXPECT_EQ(FWav->ResourceName(), "WAVE1");
    EXPECT_EQ(FWav->EventAlias(), ".Default");
    FWav->PrepareSound();
    EXPECT_EQ(FWav->SoundFlags(), DWORD(SND_ASYNC | SND_NODEFAULT | SND_NOWAIT | SND_FILENAME));
}

TEST_F(WavTest, FlagsFollowTheProperties) {
    const struct {
        bool Async, Looped, NoDefault, NoStop, NoWait;
        TsxWavPlayFrom From;
        DWORD Flags;
    } cases[] = {
        {false, false, false, false, false, pfFile, SND_FILENAME},
        {true, false, false, false, false, pfResource, SND_ASYNC | SND_RESOURCE},
        {false, false, true, true, false, pfSystemEvent, SND_NODEFAULT | SND_NOSTOP | SND_ALIAS},
        {true, true, false, false, true, pfDFM, SND_ASYNC | SND_LOOP | SND_NOWAIT | SND_MEMORY},
        // A synchronous loop would never return: looping always plays asynchronously.
        {false, true, false, false, false, pfFile, SND_ASYNC | SND_LOOP | SND_FILENAME},
    };
    for (const auto& c : cases) {
        TsxWav wav(nullptr);
        wav.SetAsyncPlay(c.Async);
        wav.SetLooped(c.Looped);
        wav.SetNoDefaultSound(c.NoDefault);
        wav.SetNoStopSound(c.NoStop);
        wav.SetNoWaitIfBusy(c.NoWait);
        wav.SetPlayFrom(c.From);
        wav.PrepareSound();
        EXPECT_EQ(wav.SoundFlags(), c.Flags) << static_cast<int>(c.From);
    }
}

TEST_F(WavTest, PlayRunsTheEventsAroundTheCallAndIsPlayingOnlyMeanwhile) {
    FWav->SetFileName(FFolder / "tone.wav");
    EXPECT_TRUE(FWav->Play());   // queued: an asynchronous call only takes the sound
    EXPECT_FALSE(FWav->IsPlaying());
    EXPECT_EQ(FRoot.Log, (std::vector<std::string>{"before playing", "after playing"}));
}

TEST_F(WavTest, AFailedCallIsReportedAsSuch) {
    FWav->SetAsyncPlay(false);
    FWav->SetFileName(FFolder / "missing.wav");
    EXPECT_FALSE(FWav->Play());
    EXPECT_FALSE(FWav->IsPlaying());
    FWav->SetPlayFrom(pfResource);
    FWav->SetResourceName("NO_SUCH_WAVE");
    EXPECT_FALSE(FWav->Play());
}

TEST_F(WavTest, AnEventThatRaisesStillEndsThePlaying) {
    FWav->SetFileName(FFolder / "tone.wav");
    FRoot.BeforeAction = [](TsxWav&) { throw Exception("handler failed"); };
    EXPECT_THROW(FWav->Play(), Exception);
    EXPECT_FALSE(FWav->IsPlaying());
}

TEST_F(WavTest, ChangesRestartTheSoundOnlyFromInsideThePlayEvents) {
    FWav->SetFileName(FFolder / "tone.wav");
    FWav->Play();
    FWav->SetLooped(true);          // after Play: nothing is playing any more
    FWav->SetNoWaitIfBusy(false);
    FWav->SetNoWaitIfBusy(true);
    EXPECT_EQ(FRoot.Log.size(), 2u);
    FWav->Stop();

    FWav->SetLooped(false);
    FRoot.Log.clear();
    FRoot.AfterAction = [](TsxWav& wav) { wav.SetLooped(true); };   // while playing: stop, then play looped
    FWav->Play();
    EXPECT_EQ(FRoot.Log, (std::vector<std::string>{"before playing", "after playing", "before playing",
                                                   "after playing"}));
    EXPECT_FALSE(FWav->IsPlaying());
    FWav->Stop();
}

TEST_F(WavTest, ASoundFromTheDescriptionsBytesPlaysOnlyWhenTheyAreAWholeWaveFile) {
    FWav->SetFileName(FFolder / "tone.wav");
    FWav->SetPlayFrom(pfDFM);   // loads the file into the storage
    EXPECT_EQ(AsText(FWav->Data()), ReadWholeFile(FFolder / "tone.wav"));
    EXPECT_TRUE(FWav->Play());
    FWav->Stop();

    // The system reads a memory sound without a length: damaged bytes never reach it.
    std::vector<unsigned char> cut = WaveBytes(400);
    cut.resize(cut.size() - 100);
    WriteWholeFile(FFolder / "cut.wav", AsText(cut));
    FWav->SetFileName(FFolder / "cut.wav");
    ASSERT_TRUE(FWav->LoadFromFile(FFolder / "cut.wav"));
    EXPECT_FALSE(FWav->Play());

    FWav->SetPlayFrom(pfFile);  // any other source empties the storage
    EXPECT_EQ(FWav->DataSize(), 0u);
}

TEST_F(WavTest, TheBytesOfAPlayingMemorySoundAreReplacedOnlyAfterItStops) {
    FWav->SetFileName(FFolder / "tone.wav");
    FWav->SetPlayFrom(pfDFM);
    FWav->SetLooped(true);
    ASSERT_TRUE(FWav->Play());
    // Replacing or freeing the bytes under a looping sound stops it first; the test machine
    // cannot hear it, but the replacement must leave no sound reading freed memory (a crash here).
    FWav->Clear();
    EXPECT_EQ(FWav->DataSize(), 0u);
    ASSERT_TRUE(FWav->LoadFromFile(FFolder / "tone.wav"));
    ASSERT_TRUE(FWav->Play());
}

TEST(WaveFileTest, OnlyAWholeRiffWaveFileCounts) {
    std::vector<unsigned char> good = WaveBytes(401);   // odd: the data chunk is padded
    EXPECT_TRUE(IsWholeWaveFile(good));
    EXPECT_TRUE(IsWholeWaveFile(WaveBytes(0)));
    auto changed = [&](size_t at, unsigned char value) {
        std::vector<unsigned char> d = good;
        d[at] = value;
        return d;
    };
    EXPECT_FALSE(IsWholeWaveFile(changed(0, 'X')));            // not RIFF
    EXPECT_FALSE(IsWholeWaveFile(changed(8, 'X')));            // not WAVE
    EXPECT_FALSE(IsWholeWaveFile(changed(7, 1)));              // RIFF size beyond the bytes
    EXPECT_FALSE(IsWholeWaveFile(changed(43, 1)));             // data chunk beyond the RIFF
    std::vector<unsigned char> cut(good.begin(), good.begin() + 30);
    EXPECT_FALSE(IsWholeWaveFile(cut));
    EXPECT_FALSE(IsWholeWaveFile({}));
}

TEST_F(WavTest, ADescriptionCarriesTheSoundsBytes) {
    std::vector<unsigned char> stored = {0, 0, 0, 0};
    std::vector<unsigned char> wave = WaveBytes(300);
    for (int i = 0; i < 4; ++i) stored[static_cast<size_t>(i)] = static_cast<unsigned char>(wave.size() >> (8 * i));
    stored.insert(stored.end(), wave.begin(), wave.end());
    TWavRoot root;
    LoadDescription(&root, WavRootClass(),
                    "object root: TWavRoot\n"
                    "  object wav: TsxWav\n"
                    "    AsyncPlay = True\n"
                    "    PlayFrom = pfDFM\n"
                    "    OnPlayBefore = wavBefore\n"
                    "    OnPlayAfter = wavAfter\n"
                    "    FileData = " + BinaryValueText(stored) + "\n"
                    "  end\n"
                    "end\n");
    auto* wav = dynamic_cast<TsxWav*>(root.FindComponent("wav"));
    ASSERT_NE(wav, nullptr);
    EXPECT_EQ(wav->PlayFrom(), pfDFM);
    EXPECT_EQ(wav->Data(), wave);
    EXPECT_TRUE(wav->Play());
    EXPECT_EQ(root.Log, (std::vector<std::string>{"before playing", "after playing"}));
    wav->Stop();
}

} // namespace
