#pragma once
// The world used when no world file exists: one 802.11a/b/g adapter and networks of every kind
// in range, so the program runs out of the box.
#include "zelcore/sim/SimWorld.h"

class SimDefaultWorld {
public:
    static SimWorld Build();
};
