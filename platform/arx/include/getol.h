// AcGeTol: the tolerances used when geometry is compared.
#pragma once

class AcGeTol {
public:
    AcGeTol() = default;
    double equalPoint() const { return mEqualPoint; }
    double equalVector() const { return mEqualVector; }
    void setEqualPoint(double v) { mEqualPoint = v; }
    void setEqualVector(double v) { mEqualVector = v; }

private:
    double mEqualPoint = 1e-10;
    double mEqualVector = 1e-12;
};

struct AcGeContext {
    static AcGeTol gTol;
};
