#include "discovery/drive_search.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Polls a condition until it holds, for at most ten seconds.
template <typename Condition> bool eventually(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A discovery held at a gate until the test opens it, telling which thread
// it runs on. Everything it touches lives in shared state, so it can outlive
// the test's own objects.
struct Gate
{
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    std::promise<std::thread::id> entered;
};

// Two CD drives and a disk, placed as a real discovery places them.
int32_t threeDevices(IDEDevices &devices)
{
    devices.Count = 3;
    devices.Kind = {IDEDevices::DriveCdrom, 0, IDEDevices::DriveCdrom, 0};
    devices.Letter = {'E', 'C', 'D', 0};
    devices.Position = {0, 1, 3, 4};
    return IDEDevices::Found;
}

class DriveSearchTest : public ::testing::Test
{
protected:
    void TearDown() override { uninstall(); }

    void uninstall()
    {
        DriveSearch::install(nullptr);
        m_discovery = nullptr;
    }

    void install(DriveSearch::Discovery discovery)
    {
        m_discovery = std::move(discovery);
        DriveSearch::install(&m_discovery);
    }

private:
    DriveSearch::Discovery m_discovery;
};

} // namespace

TEST_F(DriveSearchTest, HandsOverNothingUntilTheWorkerEnds)
{
    const auto gate = std::make_shared<Gate>();
    install([gate](IDEDevices &devices) {
        gate->entered.set_value(std::this_thread::get_id());
        gate->opened.wait();
        return threeDevices(devices);
    });

    DriveSearch search;
    EXPECT_NE(gate->entered.get_future().get(), std::this_thread::get_id());
    EXPECT_TRUE(search.running());
    EXPECT_EQ(search.takeDevices(), nullptr);
    EXPECT_EQ(search.letters(), "");

    gate->open.set_value();
    ASSERT_TRUE(eventually([&] { return !search.running(); }));
    // Only CD drives give letters, in slot order; the disk's letter is not one.
    EXPECT_EQ(search.letters(), "ED");
    const std::unique_ptr<IDEDevices> devices = search.takeDevices();
    ASSERT_NE(devices, nullptr);
    EXPECT_EQ(devices->Count, 3);
    EXPECT_EQ(devices->Position[2], 3);
    EXPECT_EQ(search.takeDevices(), nullptr);
    EXPECT_EQ(search.letters(), "ED");
}

TEST_F(DriveSearchTest, LettersComeOnlyFromCountedCdromSlotsWithALetter)
{
    install([](IDEDevices &devices) {
        threeDevices(devices);
        devices.Letter[0] = 0; // a CD drive that has no letter
        devices.Kind[3] = IDEDevices::DriveCdrom;
        devices.Letter[3] = 'F'; // beyond the count
        return IDEDevices::Found;
    });
    DriveSearch search;
    ASSERT_TRUE(eventually([&] { return !search.running(); }));
    EXPECT_EQ(search.letters(), "D");

    install([](IDEDevices &devices) {
        threeDevices(devices);
        devices.Count = 99; // more than the slots there are
        return IDEDevices::Found;
    });
    DriveSearch overfull;
    ASSERT_TRUE(eventually([&] { return !overfull.running(); }));
    EXPECT_EQ(overfull.letters(), "ED");
}

TEST_F(DriveSearchTest, AFailingSearchFindsNoDrive)
{
    install([](IDEDevices &devices) -> int32_t {
        threeDevices(devices);
        throw std::runtime_error("the instrumentation went away");
    });
    DriveSearch search;
    ASSERT_TRUE(eventually([&] { return !search.running(); }));
    EXPECT_EQ(search.letters(), "");
    const std::unique_ptr<IDEDevices> devices = search.takeDevices();
    ASSERT_NE(devices, nullptr);
    EXPECT_EQ(devices->Count, 0);
    EXPECT_EQ(devices->Letter[0], 0);
}

TEST_F(DriveSearchTest, TheOwnerGoesWithoutWaitingForASearchThatNeverReturns)
{
    // The discovery holds a token; the worker lets go of it only once it has
    // finished writing its findings.
    const auto gate = std::make_shared<Gate>();
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> workerAlive = token;
    install([gate, token = std::move(token)](IDEDevices &devices) {
        gate->entered.set_value(std::this_thread::get_id());
        gate->opened.wait();
        return threeDevices(devices);
    });

    auto search = std::make_unique<DriveSearch>();
    gate->entered.get_future().wait();
    // From here on only the worker holds the discovery and its token.
    uninstall();
    // The gate is still shut: a destructor that waited would never come
    // back. It runs on a thread of the test's, so that such a fault fails
    // the test instead of hanging it.
    auto destroyed = std::async(std::launch::async, [&search] { search.reset(); });
    const bool returned = destroyed.wait_for(10s) == std::future_status::ready;
    EXPECT_TRUE(returned) << "destroying the search waited for its worker";
    EXPECT_FALSE(workerAlive.expired());

    // The worker now writes its findings after their owner is gone; they
    // must still be there for it (the sanitizers see any write into freed
    // memory).
    gate->open.set_value();
    EXPECT_TRUE(eventually([&] { return workerAlive.expired(); }));
}

TEST_F(DriveSearchTest, EachSearchKeepsTheDiscoveryItStartedWith)
{
    const auto gate = std::make_shared<Gate>();
    install([gate](IDEDevices &devices) {
        gate->opened.wait();
        return threeDevices(devices);
    });
    DriveSearch search;
    install([](IDEDevices &) { return IDEDevices::NoIdeDevices; });
    gate->open.set_value();
    ASSERT_TRUE(eventually([&] { return !search.running(); }));
    EXPECT_EQ(search.letters(), "ED");
}
