// Header variables of a drawing that the host draws with: the linetype scale.
// They live among the header variables as read and are written back with them.
#include <cmath>

#include "database_impl.h"
#include "../core/numtext.h"

double AcDbDatabase::ltscale() const
{
    std::string text;
    double v = 1.0;
    // A damaged or missing value draws as 1, the host's default.
    if (!mImpl->headerText("$LTSCALE", text) || !arx::parseDouble(text, v) || !(v > 0) || !std::isfinite(v)) return 1.0;
    return v;
}

Acad::ErrorStatus AcDbDatabase::setLtscale(double scale)
{
    if (!(scale > 0) || !std::isfinite(scale)) return Acad::eInvalidInput;
    std::string text;
    arx::appendDouble(text, scale);
    mImpl->setHeaderText("$LTSCALE", 40, text);
    return Acad::eOk;
}
