// The traffic system's walk order, its spawn filter and its ownership of the elements.
#include "network.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Records each call it receives, and its destruction, in shared logs.
class RecordingElement final : public StreetElement {
public:
    RecordingElement(char name, std::string& calls, std::string& destroyed)
        : name_(name), calls_(calls), destroyed_(destroyed)
    {
    }
    ~RecordingElement() override { destroyed_ += name_; }
    void draw(Display&, int&, int&, PedestrianPositions&, PedestrianFlags&) override { calls_ += name_; }
    void update(PedestrianPositions&, PedestrianFlags&) override { calls_ += name_; }
    void spawn(int, int, int, int) override { calls_ += name_; }
    void step_lights() override { calls_ += name_; }

private:
    char name_;
    std::string& calls_;
    std::string& destroyed_;
};

TEST(TrafficSystem, WalksLastAddedFirstSpawnsOnlyAtZeroAndOwnsEachElementOnce)
{
    std::string calls;
    std::string destroyed;
    {
        TrafficSystem traffic;
        traffic.add(std::make_unique<RecordingElement>('A', calls, destroyed));
        traffic.add(std::make_unique<RecordingElement>('B', calls, destroyed));
        traffic.add(nullptr);
        traffic.add(std::make_unique<RecordingElement>('C', calls, destroyed));

        PedestrianPositions positions{};
        PedestrianFlags flags{};
        traffic.update(positions, flags);
        traffic.step_lights();
        traffic.spawn(0, 1, 1, 1);
        EXPECT_EQ(calls, "CBACBACBA");
        calls.clear();
        traffic.spawn(1, 1, 1, 1);
        traffic.spawn(-1, 1, 1, 1);
        EXPECT_EQ(calls, "");
        EXPECT_EQ(destroyed, "");
    }
    EXPECT_EQ(destroyed, "CBA");
}

}  // namespace
