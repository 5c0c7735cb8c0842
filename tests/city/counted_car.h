// A vehicle that counts its own destruction, to show that nothing is lost.
#pragma once

#include "vehicles.h"

class CountedCar final : public Vehicle {
public:
    explicit CountedCar(int& destroyed) : destroyed_(destroyed) {}
    ~CountedCar() override { ++destroyed_; }
    void draw(Display&, int&, int&, PedestrianPositions&, PedestrianFlags&) override {}

private:
    int& destroyed_;
};
