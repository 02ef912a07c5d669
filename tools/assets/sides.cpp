#include "sides.h"

namespace tavrine::assets {

SidePalette PaletteOfSide(int side) {
    switch (side) {
        case 0: return {Bytes(222, 182, 46), Bytes(150, 112, 24), Bytes(255, 236, 90)};
        case 1: return {Bytes(188, 44, 36), Bytes(118, 24, 22), Bytes(255, 80, 60)};
        default: return {Bytes(96, 190, 120), Bytes(40, 110, 70), Bytes(140, 255, 150)};
    }
}

}  // namespace tavrine::assets
