#include "lookup/ServerPacer.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const CServerPacer::Clock::time_point t0{};

}

TEST(ServerPacer, OneServerIsKeyedOnceWhateverItsSpelling)
{
    EXPECT_EQ(CServerPacer::KeyOf("Whois.Nic.FR"), "whois.nic.fr");
    EXPECT_EQ(CServerPacer::KeyOf(" whois.nic.fr:43 "), "whois.nic.fr");
    EXPECT_EQ(CServerPacer::KeyOf("127.0.0.1:4343"), "127.0.0.1:4343");
    EXPECT_EQ(CServerPacer::KeyOf("[::1]:43"), "::1");
    EXPECT_EQ(CServerPacer::KeyOf("https://RDAP.nic.io/"), "rdap.nic.io");
    EXPECT_EQ(CServerPacer::KeyOf("http://127.0.0.1:8080/rdap/"), "127.0.0.1:8080");
}

TEST(ServerPacer, EachServerHasItsOwnLimitAndPause)
{
    CServerPacer pacer(2);
    EXPECT_TRUE(pacer.CanStart("a", 0, t0));
    EXPECT_TRUE(pacer.CanStart("a", 1, t0));
    EXPECT_FALSE(pacer.CanStart("a", 2, t0));

    pacer.OnRateLimit("a", std::nullopt, t0, QStringLiteral("limit"));
    EXPECT_FALSE(pacer.CanStart("a", 0, t0 + 4s));
    EXPECT_TRUE(pacer.CanStart("b", 0, t0 + 4s));   // others go on
    EXPECT_TRUE(pacer.CanStart("a", 0, t0 + 5s));
    ASSERT_EQ(pacer.ActivePauses(t0 + 1s).size(), 1u);
    EXPECT_EQ(pacer.ActivePauses(t0 + 1s)[0].m_strServer, "a");
    EXPECT_EQ(pacer.NextResume(t0 + 1s), t0 + 5s);
    EXPECT_FALSE(pacer.NextResume(t0 + 5s));
}

TEST(ServerPacer, UnnamedPausesDoubleUntilAGoodAnswer)
{
    CServerPacer pacer;
    auto now = t0;
    std::vector<long> lengths;
    for (int i = 0; i < 9; ++i) {
        pacer.OnRateLimit("a", std::nullopt, now, {});
        const auto until = *pacer.NextResume(now);
        lengths.push_back(long(std::chrono::duration_cast<std::chrono::seconds>(until - now).count()));
        // Answers of lookups that were under way when it paused change nothing.
        pacer.OnRateLimit("a", std::nullopt, now + 1s, {});
        pacer.OnAnswer("a", now + 1s);
        now = until;
    }
    EXPECT_EQ(lengths, (std::vector<long>{5, 10, 20, 40, 80, 160, 300, 300, 300}));
    pacer.OnAnswer("a", now);
    pacer.OnRateLimit("a", std::nullopt, now, {});
    EXPECT_EQ(*pacer.NextResume(now), now + 5s);
}

TEST(ServerPacer, ANamedWaitIsTakenAsGivenWithinReason)
{
    CServerPacer pacer;
    pacer.OnRateLimit("a", 50s, t0, {});
    EXPECT_EQ(*pacer.NextResume(t0), t0 + 50s);
    pacer.OnRateLimit("b", 0s, t0, {});
    EXPECT_EQ(pacer.ActivePauses(t0).front().m_until, t0 + 1s);
    pacer.OnRateLimit("c", std::chrono::seconds(1000000), t0, {});
    EXPECT_EQ(pacer.ActivePauses(t0).back().m_until, t0 + CServerPacer::kLongestNamedWait);
}

TEST(ServerPacer, PacingOffLimitsNothing)
{
    CServerPacer pacer(0);
    pacer.OnRateLimit("a", 50s, t0, {});
    EXPECT_TRUE(pacer.CanStart("a", 1000, t0));
    EXPECT_FALSE(pacer.NextResume(t0));
}

TEST(ServerPacer, ALimitAfterGoodAnswersIsLearnedAsARateASecond)
{
    CServerPacer pacer;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(pacer.CanStart("a", 0, t0));
        pacer.OnStarted("a", t0);
        pacer.OnAnswer("a", t0 + 10ms);
    }
    pacer.OnRateLimit("a", std::nullopt, t0 + 20ms, {});
    EXPECT_EQ(pacer.LearnedRate("a"), 100);
    // One window's rest, not the long pause.
    EXPECT_EQ(*pacer.NextResume(t0 + 20ms), t0 + 1020ms);
    EXPECT_FALSE(pacer.CanStart("a", 0, t0 + 1s));

    // From then on at most 100 start in any 1.05 s, and the scheduler is
    // told when the next one may.
    const auto t1 = t0 + 1020ms;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(pacer.CanStart("a", 0, t1 + std::chrono::milliseconds(i))) << i;
        pacer.OnStarted("a", t1 + std::chrono::milliseconds(i));
        pacer.OnAnswer("a", t1 + std::chrono::milliseconds(i + 1));
    }
    EXPECT_FALSE(pacer.CanStart("a", 0, t1 + 500ms));
    EXPECT_TRUE(pacer.ActivePauses(t1 + 500ms).empty()) << "held by its rate, not paused";
    EXPECT_EQ(*pacer.NextResume(t1 + 500ms), t1 + CServerPacer::kStartWindow);
    EXPECT_TRUE(pacer.CanStart("a", 0, t1 + CServerPacer::kStartWindow));
    EXPECT_TRUE(pacer.CanStart("b", 0, t1 + 500ms)) << "other servers are not held";

    // Limited again at that rate: the long pause, and the rate drops to
    // what it answered in the last second.
    pacer.OnRateLimit("a", std::nullopt, t1 + 1020ms, {});
    ASSERT_EQ(pacer.ActivePauses(t1 + 1020ms).size(), 1u);
    EXPECT_EQ(pacer.ActivePauses(t1 + 1020ms)[0].m_until, t1 + 1020ms + CServerPacer::kFirstPause);
    EXPECT_EQ(pacer.LearnedRate("a"), 80);

    pacer.Clear();
    EXPECT_EQ(pacer.LearnedRate("a"), 0);
}

TEST(ServerPacer, NoRateIsLearnedFromTooFewAnswersOrWithPacingOff)
{
    CServerPacer pacer;
    pacer.OnAnswer("a", t0);
    pacer.OnRateLimit("a", std::nullopt, t0, {});
    EXPECT_EQ(pacer.LearnedRate("a"), 0);
    EXPECT_EQ(*pacer.NextResume(t0), t0 + CServerPacer::kFirstPause);

    // Old answers are no evidence either.
    pacer.OnAnswer("b", t0);
    pacer.OnAnswer("b", t0);
    pacer.OnRateLimit("b", std::nullopt, t0 + 2s, {});
    EXPECT_EQ(pacer.LearnedRate("b"), 0);

    // Nor is a refusal that is no rate limit.
    for (int i = 0; i < 10; ++i)
        pacer.OnAnswer("c", t0);
    pacer.OnRateLimit("c", std::nullopt, t0, {}, false);
    EXPECT_EQ(pacer.LearnedRate("c"), 0);
    EXPECT_EQ(*pacer.NextResume(t0), t0 + CServerPacer::kFirstPause);

    CServerPacer off(0);
    for (int i = 0; i < 10; ++i)
        off.OnAnswer("a", t0);
    off.OnRateLimit("a", std::nullopt, t0, {});
    off.OnStarted("a", t0);
    EXPECT_EQ(off.LearnedRate("a"), 0);
    EXPECT_TRUE(off.CanStart("a", 100, t0));
}
