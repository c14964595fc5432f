#include "audio/audio_cd_info.h"
#include "tests/audio/scripted_mci_device.h"

#include <gtest/gtest.h>

namespace {

const std::string Open = "open E:\\ type cdaudio alias cd";
const std::string Tmsf = "set cd time format  tmsf wait";
const std::string Ms = "set cd time format  ms";
const std::string Present = "status cd media present";
const std::string Tracks = "status cd number of tracks wait";

// A player on drive E whose MCI answers are scripted; the commands of the
// construction are dropped so that each test sees only its own.
struct Player
{
    explicit Player(const std::vector<uint32_t> &disc = {}, std::string_view drives = "E")
    {
        auto device = std::make_unique<ScriptedMciDevice>();
        mci = device.get();
        if (!disc.empty())
            mci->insertDisc(disc);
        player = std::make_unique<AudioCDInfo>(drives, static_cast<int32_t>(drives.size()),
                                               std::move(device));
        player->setErrorBox([this](const MessageBoxRequest &box) { boxes.push_back(box); });
        constructed = mci->commands;
        mci->commands.clear();
    }

    ScriptedMciDevice *mci = nullptr;
    std::unique_ptr<AudioCDInfo> player;
    std::vector<std::string> constructed;
    std::vector<MessageBoxRequest> boxes;
};

const std::vector<uint32_t> TwelveTracks = {185000, 201000, 97500,  240133, 3000, 61000,
                                            59001,  420000, 180500, 199999, 1000, 305000};

} // namespace

TEST(AudioCDInfo, OpensTheFirstDriveInTrackFormat)
{
    Player p({}, "EFG");
    EXPECT_EQ(p.constructed, (std::vector<std::string>{Open, Tmsf}));
    EXPECT_EQ(p.player->Drives, "EFG");
    EXPECT_EQ(p.player->DriveIndex, 0);
    EXPECT_EQ(p.player->TrackCount, 0);
    EXPECT_TRUE(p.player->TrackLengths.empty());
    EXPECT_EQ(p.player->ErrorCaption, "");
}

TEST(AudioCDInfo, KeepsAtMostTheGivenAndTwentySixLetters)
{
    const std::string letters = "DEFGHIJKLMNOPQRSTUVWXYZABCDE";
    Player many({}, letters);
    EXPECT_EQ(many.player->Drives, letters.substr(0, 26));
    EXPECT_EQ(many.constructed.front(), "open D:\\ type cdaudio alias cd");

    auto device = std::make_unique<ScriptedMciDevice>();
    const AudioCDInfo fewer("XYZ", 2, std::move(device));
    EXPECT_EQ(fewer.Drives, "XY");
    const AudioCDInfo negative("XYZ", -1, std::make_unique<ScriptedMciDevice>());
    EXPECT_EQ(negative.Drives, "");
}

TEST(AudioCDInfo, WithoutADriveOpensNothingAndActsAsWithoutDisc)
{
    Player p({}, "");
    EXPECT_EQ(p.constructed, std::vector<std::string>{Tmsf});
    // With no device the status query fails.
    p.mci->answers[Present] = {263, ""};
    p.player->ReadTrackList();
    EXPECT_FALSE(p.player->PlayTracks(1, 0));
    p.player->StopPlaying();
    EXPECT_EQ(p.player->TrackCount, 0);
    EXPECT_TRUE(p.boxes.empty());
    for (const auto &command : p.mci->commands)
        EXPECT_EQ(command, Present);
}

TEST(AudioCDInfo, SeesADiscOnlyInAPlainTrueReply)
{
    Player p;
    const std::pair<ScriptedMciDevice::Answer, bool> cases[] = {
        {{0, "true"}, true},   {{0, " true\r\n"}, true}, {{0, "TRUE"}, false},
        {{0, "false"}, false}, {{0, ""}, false},         {{263, "true"}, false},
    };
    for (const auto &[answer, present] : cases) {
        p.mci->answers[Present] = answer;
        EXPECT_EQ(p.player->IsMediaPresent(), present) << answer.reply << " " << answer.error;
    }
}

TEST(AudioCDInfo, ReadsEveryTrackOfATwelveTrackDisc)
{
    Player p(TwelveTracks);
    p.player->ReadTrackList();
    std::vector<std::string> expected = {Present, Tracks, Ms};
    for (int track = 1; track <= 12; ++track)
        expected.push_back("status cd length track " + std::to_string(track));
    expected.push_back(Tmsf);
    EXPECT_EQ(p.mci->commands, expected);
    EXPECT_EQ(p.player->TrackCount, 12);
    EXPECT_EQ(p.player->TrackLengths, TwelveTracks);
}

TEST(AudioCDInfo, KeepsItsListWhenTheDiscIsGone)
{
    Player p(TwelveTracks);
    p.player->ReadTrackList();
    p.mci->answers[Present] = {0, "false"};
    p.mci->commands.clear();
    p.player->ReadTrackList();
    EXPECT_EQ(p.mci->commands, std::vector<std::string>{Present});
    EXPECT_EQ(p.player->TrackCount, 12);
    EXPECT_EQ(p.player->TrackLengths.size(), 12u);
}

TEST(AudioCDInfo, DropsAListWhoseRepliesAreNoNumbers)
{
    // The count is no number: nothing else is asked, and the device stays
    // in the track format.
    Player count(TwelveTracks);
    count.mci->answers[Tracks] = {0, ""};
    count.player->ReadTrackList();
    EXPECT_EQ(count.player->TrackCount, 0);
    EXPECT_TRUE(count.player->TrackLengths.empty());
    EXPECT_EQ(count.mci->commands, (std::vector<std::string>{Present, Tracks, Tmsf}));

    // A length fails halfway, after an earlier good list.
    Player length(TwelveTracks);
    length.player->ReadTrackList();
    length.mci->answers["status cd length track 5"] = {277, ""};
    length.mci->commands.clear();
    length.player->ReadTrackList();
    EXPECT_EQ(length.player->TrackCount, 0);
    EXPECT_TRUE(length.player->TrackLengths.empty());
    EXPECT_EQ(length.mci->commands.back(), Tmsf);
    EXPECT_EQ(length.mci->commands.size(), 9u);

    // A negative length is no length either.
    Player negative(TwelveTracks);
    negative.mci->answers["status cd length track 2"] = {0, "-1"};
    negative.player->ReadTrackList();
    EXPECT_EQ(negative.player->TrackCount, 0);
}

TEST(AudioCDInfo, ReadsAtMostNinetyNineTracks)
{
    Player p(std::vector<uint32_t>(120, 60000));
    p.player->ReadTrackList();
    EXPECT_EQ(p.player->TrackCount, 99);
    EXPECT_EQ(p.player->TrackLengths.size(), 99u);
    EXPECT_EQ(p.mci->commands[p.mci->commands.size() - 2], "status cd length track 99");

    p.mci->answers[Tracks] = {0, "-4"};
    p.player->ReadTrackList();
    EXPECT_EQ(p.player->TrackCount, 0);
    EXPECT_TRUE(p.player->TrackLengths.empty());
}

TEST(AudioCDInfo, PlaysToTheEndOrUpToATrack)
{
    Player p(TwelveTracks);
    EXPECT_TRUE(p.player->PlayTracks(5, 0));
    EXPECT_TRUE(p.player->PlayTracks(5, 6));
    EXPECT_TRUE(p.player->PlayTracks(12, 13));
    const std::vector<std::string> expected = {
        Present, Present, "play cd from 5",        Present, Present, "play cd from 5 To 6",
        Present, Present, "play cd from 12 To 13",
    };
    EXPECT_EQ(p.mci->commands, expected);
    EXPECT_TRUE(p.boxes.empty());
}

TEST(AudioCDInfo, ShowsARefusedPlayOnce)
{
    for (const std::string command : {"play cd from 5", "play cd from 5 To 6"}) {
        Player p(TwelveTracks);
        p.player->setErrorCaption("Vesperin");
        p.mci->answers[command] = {277, ""};
        const bool played =
            command.size() > 14 ? p.player->PlayTracks(5, 6) : p.player->PlayTracks(5, 0);
        EXPECT_FALSE(played);
        ASSERT_EQ(p.boxes.size(), 1u);
        EXPECT_EQ(p.boxes[0].text, "scripted error 277");
        EXPECT_EQ(p.boxes[0].caption, std::optional<std::string>("Vesperin"));
        EXPECT_EQ(p.boxes[0].icon, MessageBoxRequest::Icon::Error);
    }
}

TEST(AudioCDInfo, PlaysNothingWithoutADisc)
{
    Player p;
    p.mci->answers[Present] = {0, "false"};
    EXPECT_FALSE(p.player->PlayTracks(1, 0));
    p.player->StopPlaying();
    EXPECT_EQ(p.mci->commands, (std::vector<std::string>{Present, Present}));
    EXPECT_TRUE(p.boxes.empty());

    // The disc goes between the two questions.
    p.mci->commands.clear();
    p.mci->queued[Present] = {{0, "true"}};
    EXPECT_FALSE(p.player->PlayTracks(1, 2));
    EXPECT_EQ(p.mci->commands, (std::vector<std::string>{Present, Present}));
}

TEST(AudioCDInfo, StopsAndClosesWhateverHappens)
{
    Player p(TwelveTracks);
    p.player->StopPlaying();
    EXPECT_EQ(p.mci->commands, (std::vector<std::string>{Present, "stop cd wait"}));

    Player never;
    never.mci->answers[Present] = {263, ""};
    never.mci->answers["stop cd wait"] = {263, ""};
    never.mci->answers["close cd"] = {263, ""};
    never.player->CloseDevice();
    EXPECT_EQ(never.mci->commands, (std::vector<std::string>{"stop cd wait", "close cd"}));

    Player throwing;
    throwing.mci->throwOn = "stop cd wait";
    EXPECT_NO_THROW(throwing.player->CloseDevice());
}

TEST(AudioCDInfo, CutsAReplyAtItsBufferAndItsFirstZero)
{
    Player p;
    p.mci->answers[Present] = {0, std::string("true\0junk", 9)};
    EXPECT_TRUE(p.player->IsMediaPresent());
    p.mci->answers[Present] = {0, std::string(255, ' ') + "true"};
    EXPECT_FALSE(p.player->IsMediaPresent());
}

TEST(KeepPrintable, KeepsOnlyTheVisibleCharactersUpToZ)
{
    EXPECT_EQ(KeepPrintable(" 12\r\n"), "12");
    EXPECT_EQ(KeepPrintable("a{b}~c"), "abc");
    EXPECT_EQ(KeepPrintable("a|b\tc\x7f"), "abc");
    EXPECT_EQ(KeepPrintable("TRUE"), "TRUE");
    EXPECT_EQ(KeepPrintable("!z"), "!z");
    EXPECT_EQ(KeepPrintable("\x80\xff\xe9t"), "t");
    EXPECT_EQ(KeepPrintable(std::string("1\0"
                                        "2",
                                        3)),
              "12");
}

TEST(FormatTrackLength, RoundsUpToWholeSeconds)
{
    const std::pair<uint32_t, const char *> cases[] = {
        {0, "0"},
        {1, "01"},
        {1000, "01"},
        {1001, "02"},
        {59000, "59"},
        {59001, "01:00"},
        {60000, "01:00"},
        {3599000, "59:59"},
        {3599001, "01:00:00"},
        {360000000, "100:00:00"},
        {4294967295u, "1193:02:48"},
    };
    for (const auto &[ms, text] : cases)
        EXPECT_EQ(FormatTrackLength(ms), text) << ms;
}
