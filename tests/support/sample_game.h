// A small game that fills every part of a game file: objects with and without
// smoke, tanks with routes, orders with wave numbers, explosions, shells, labels
// and nonzero reserved fields.
#pragma once

#include "state/records.h"

namespace tavrine::test {

/// A 4 by 3 map with a tower (smoking, aiming at tank 0), a factory, a wall,
/// three tanks of three sides, two orders, two explosions, a shell and three
/// labels (one with an empty text, one with quotes and bytes above 127). Every
/// value is chosen to differ from its neighbours, so a field written in the wrong
/// place shows. It satisfies `CheckInvariants`.
GameType MakeSampleGame();

}  // namespace tavrine::test
