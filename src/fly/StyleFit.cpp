#include "fly/StyleFit.h"

namespace pelmar {

int StyleFit(float civ, float pps, float wps, float psy3) {
    // Every threshold is passed only when strictly exceeded.
    int score = 0;
    if (civ > 5.0f)
        score += 2;
    else if (civ > 3.0f)
        score += 1;
    if (pps > 3.0f)
        score += 2;
    else if (pps > 2.0f)
        score += 1;
    if (wps > 30.0f)
        score += 3;
    else if (wps > 20.0f)
        score += 2;
    else if (wps > 10.0f)
        score += 1;
    if (psy3 > 10.0f)
        score += 2;
    else if (psy3 > 7.0f)
        score += 1;
    return score;
}

int FirstMinorEntry(int styleFit) {
    if (styleFit <= 0)
        return 3; // PMJP, PMEN and FKGL only
    if (styleFit <= 3)
        return 4; // and CLI
    if (styleFit == 4)
        return 5; // and FORC
    if (styleFit == 5)
        return 10;
    return 2; // PMJP and PMEN only
}

} // namespace pelmar
