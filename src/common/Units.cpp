#include "common/Units.h"

namespace t2v {

Units UnitsForHostCode(int code) {
    Units u;
    auto set = [&](int force, int length, float g) {
        u.ForceUnit = static_cast<std::int16_t>(force);
        u.LengthUnit = static_cast<std::int16_t>(length);
        u.Gravity = g;
    };
    switch (code) {
        case 1:
            set(1, 0, 386.4f);
            break;
        case 2:
            set(1, 1, 32.2f);
            break;
        case 3:
            set(0, 0, 386.4f);
            break;
        case 4:
            set(0, 1, 32.2f);
            break;
        case 5:
            set(3, 2, 9814.6f);
            break;
        case 7:
            set(4, 2, 9814.56f);
            break;  // this code has its own constant
        case 8:
            set(4, 4, 9.81f);
            break;
        case 9:
            set(2, 2, 9814.6f);
            break;
        case 10:
            set(2, 4, 9.81f);
            break;
        case 11:
            set(5, 2, 9814.6f);
            break;
        case 12:
            set(5, 4, 9.81f);
            break;
        case 13:
            set(3, 3, 981.4f);
            break;
        case 14:
            set(4, 3, 981.4f);
            break;
        case 15:
            set(2, 3, 981.4f);
            break;
        case 16:
            set(1, 3, 981.4f);
            break;
        default:
            set(3, 4, 9.81f);
            break;
    }
    return u;
}

}  // namespace t2v
