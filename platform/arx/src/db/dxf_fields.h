// Field tables: one table per subclass section of an object's DXF record,
// naming each plain field once with its group code, the kind of value it holds,
// the member it lives in and its default. The one table writes the section
// (dxfOutFields) and reads it back (dxfInFields), so no group code is spelled
// twice and the two directions cannot drift apart.
//
// The fields live in the section's values: a plain struct beside the table
// holding them as the file has them (a point in the entity's own coordinate
// system, an angle in radians). The object fills one from its members to write
// and takes its members from one after reading, converting where the file's
// form differs from its own. A field with a default is left
// out of the file while it holds it and takes it when the file leaves it out; a
// field without one is always written. A group the table does not hold goes to
// the object's own code for the section (polyline vertices, a marker that ends
// the section) and is otherwise kept and written back unchanged at the end of
// the section. Tables are constant expressions: a group code that cannot carry
// the field's kind of value, or one used twice, does not compile.
#pragma once
#include <cmath>
#include <optional>
#include <tuple>
#include <type_traits>

#include "AcString.h"
#include "dbmain.h"
#include "object_access.h"
#include "symbols.h"
#include "../core/group_codes.h"

namespace arx {

constexpr AcDb::DxfCode dxfCode(int code) { return static_cast<AcDb::DxfCode>(code); }

// A normal is written only when it is not +Z, the normal of the world's plane.
inline bool isDefaultNormal(const AcGeVector3d& n) { return n.isEqualTo(AcGeVector3d::kZAxis); }

// A normal as a file gives it: kept exactly when it is already of unit length,
// so that writing it again gives the same digits; made unit otherwise. False
// (and the normal unchanged) for a zero vector, which is no direction.
inline bool normalFromFile(const double* xyz, AcGeVector3d& normal)
{
    AcGeVector3d n(xyz[0], xyz[1], xyz[2]);
    if (n.isZeroLength()) return false;
    normal = std::fabs(n.length() - 1) <= 1e-12 ? n : n.normal();
    return true;
}

// What an object's own code did with a group its section's table does not hold.
enum class OtherGroup {
    kTaken,        // it was the object's (a failure is reported through the filer)
    kNotMine,      // kept as read, and written back at the end of the section
    kEndsSection,  // the section ends before it (the code pushed it back)
};

namespace field {

// What every kind of field does unless it says otherwise.
struct FieldBase {
    template <class S>
    void setDefault(S&) const
    {
    }
    template <class S>
    void finish(S&, AcDbObject*) const
    {
    }
};

// A real number (groups 10-59, 110-149, ...).
template <class S>
struct Real : FieldBase {
    using Section = S;
    static constexpr DxfValueType kValueType = DxfValueType::kDouble;
    int code;
    double S::*member;
    bool hasDefault;
    double dflt;
    void setDefault(S& s) const
    {
        if (hasDefault) s.*member = dflt;
    }
    void write(AcDbDxfFiler* filer, const S& s) const
    {
        if (!hasDefault || s.*member != dflt) filer->writeDouble(dxfCode(code), s.*member);
    }
    void read(const resbuf& rb, S& s, AcDbObject*) const { s.*member = rb.resval.rreal; }
};

// An angle: radians in the values, degrees in the file.
template <class S>
struct Angle : Real<S> {
    void write(AcDbDxfFiler* filer, const S& s) const
    {
        if (!this->hasDefault || s.*this->member != this->dflt) filer->writeAngle(dxfCode(this->code), s.*this->member);
    }
    void read(const resbuf& rb, S& s, AcDbObject*) const { s.*this->member = rb.resval.rreal * M_PI / 180.0; }
};

// A 16-bit integer (groups 60-79, 170-179, 270-289, ...).
template <class S>
struct Int16 : FieldBase {
    using Section = S;
    static constexpr DxfValueType kValueType = DxfValueType::kInt16;
    int code;
    Adesk::Int16 S::*member;
    bool hasDefault;
    Adesk::Int16 dflt;
    void setDefault(S& s) const
    {
        if (hasDefault) s.*member = dflt;
    }
    void write(AcDbDxfFiler* filer, const S& s) const
    {
        if (!hasDefault || s.*member != dflt) filer->writeInt16(dxfCode(code), s.*member);
    }
    void read(const resbuf& rb, S& s, AcDbObject*) const { s.*member = rb.resval.rint; }
};

// A 32-bit integer that a file may leave out, where no value of the field
// stands for "not given" (groups 90-99).
template <class S>
struct OptionalInt32 : FieldBase {
    using Section = S;
    static constexpr DxfValueType kValueType = DxfValueType::kInt32;
    int code;
    std::optional<Adesk::Int32> S::*member;
    void write(AcDbDxfFiler* filer, const S& s) const
    {
        if (s.*member) filer->writeInt32(dxfCode(code), *(s.*member));
    }
    void read(const resbuf& rb, S& s, AcDbObject*) const { s.*member = rb.resval.rlong; }
};

// A 3D point (x at the code, y and z ten and twenty above it), always written.
template <class S>
struct Point : FieldBase {
    using Section = S;
    static constexpr DxfValueType kValueType = DxfValueType::kPoint;
    int code;
    AcGePoint3d S::*member;
    void write(AcDbDxfFiler* filer, const S& s) const { filer->writePoint3d(dxfCode(code), s.*member); }
    void read(const resbuf& rb, S& s, AcDbObject*) const
    {
        (s.*member).set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    }
};

// A 3D point written only when the values hold one.
template <class S>
struct OptionalPoint : FieldBase {
    using Section = S;
    static constexpr DxfValueType kValueType = DxfValueType::kPoint;
    int code;
    std::optional<AcGePoint3d> S::*member;
    void write(AcDbDxfFiler* filer, const S& s) const
    {
        if (s.*member) filer->writePoint3d(dxfCode(code), *(s.*member));
    }
    void read(const resbuf& rb, S& s, AcDbObject*) const
    {
        s.*member = AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    }
};

// The normal of an entity's plane: +Z by default, a zero vector in a file is
// no direction and ignored (see normalFromFile).
template <class S>
struct Normal : FieldBase {
    using Section = S;
    static constexpr DxfValueType kValueType = DxfValueType::kPoint;
    int code;
    AcGeVector3d S::*member;
    void setDefault(S& s) const { s.*member = AcGeVector3d::kZAxis; }
    void write(AcDbDxfFiler* filer, const S& s) const
    {
        if (!isDefaultNormal(s.*member)) filer->writeVector3d(dxfCode(code), s.*member);
    }
    void read(const resbuf& rb, S& s, AcDbObject*) const { normalFromFile(rb.resval.rpoint, s.*member); }
};

// A text, always written.
template <class S>
struct Text : FieldBase {
    using Section = S;
    static constexpr DxfValueType kValueType = DxfValueType::kString;
    int code;
    AcString S::*member;
    void write(AcDbDxfFiler* filer, const S& s) const { filer->writeString(dxfCode(code), s.*member); }
    void read(const resbuf& rb, S& s, AcDbObject*) const { s.*member = rb.resval.rstring; }
};

// A record of a symbol table, named in the file by its name. A name the table
// lacks makes the record on the spot, as a drawing is never refused for it; a
// record the file does not name, or names by an empty name, is the fallback's.
// The fallback is also the name written for an id that names no record.
template <class S>
struct Symbol : FieldBase {
    using Section = S;
    static constexpr DxfValueType kValueType = DxfValueType::kString;
    int code;
    AcDbObjectId S::*member;
    TableKind table;
    const ACHAR* fallback;
    void write(AcDbDxfFiler* filer, const S& s) const
    {
        filer->writeString(dxfCode(code), symbolName(s.*member, fallback).c_str());
    }
    void read(const resbuf& rb, S& s, AcDbObject* obj) const
    {
        s.*member = symbolForReading(obj->database(), table, rb.resval.rstring);
    }
    void finish(S& s, AcDbObject* obj) const
    {
        if ((s.*member).isNull()) s.*member = symbolForReading(obj->database(), table, fallback);
    }
};

// Where in the section the object's own code writes what the table cannot say.
struct HandWritten {};

template <class S>
constexpr Real<S> real(int code, double S::*member)
{
    return {{}, code, member, false, 0.0};
}
template <class S>
constexpr Real<S> real(int code, double S::*member, double dflt)
{
    return {{}, code, member, true, dflt};
}
template <class S>
constexpr Angle<S> angle(int code, double S::*member)
{
    return {real(code, member)};
}
template <class S>
constexpr Angle<S> angle(int code, double S::*member, double dflt)
{
    return {real(code, member, dflt)};
}
template <class S>
constexpr Int16<S> int16(int code, Adesk::Int16 S::*member)
{
    return {{}, code, member, false, 0};
}
template <class S>
constexpr Int16<S> int16(int code, Adesk::Int16 S::*member, Adesk::Int16 dflt)
{
    return {{}, code, member, true, dflt};
}
template <class S>
constexpr OptionalInt32<S> int32(int code, std::optional<Adesk::Int32> S::*member)
{
    return {{}, code, member};
}
template <class S>
constexpr Point<S> point(int code, AcGePoint3d S::*member)
{
    return {{}, code, member};
}
template <class S>
constexpr OptionalPoint<S> point(int code, std::optional<AcGePoint3d> S::*member)
{
    return {{}, code, member};
}
template <class S>
constexpr Normal<S> normal(int code, AcGeVector3d S::*member)
{
    return {{}, code, member};
}
template <class S>
constexpr Text<S> text(int code, AcString S::*member)
{
    return {{}, code, member};
}
template <class S>
constexpr Symbol<S> symbol(int code, AcDbObjectId S::*member, TableKind table, const ACHAR* fallback)
{
    return {{}, code, member, table, fallback};
}
constexpr HandWritten handWritten() { return {}; }

}  // namespace field

// The name of a section (ASCII): its subclass marker (group 100), and the name
// its kept groups are filed under, which is the marker unless a record has two
// sections of one marker.
struct SectionName {
    static constexpr size_t kLongest = 39;
    wchar_t marker[kLongest + 1] = {};
    char keptAs[kLongest + 1] = {};
    constexpr SectionName(const char* name) : SectionName(name, name) {}
    constexpr SectionName(const char* name, const char* kept)
    {
        for (size_t i = 0; name[i] != 0; ++i) {
            if (i == kLongest) throw "a section name longer than SectionName::kLongest";
            marker[i] = static_cast<wchar_t>(name[i]);
        }
        for (size_t i = 0; kept[i] != 0; ++i) {
            if (i == kLongest) throw "a section name longer than SectionName::kLongest";
            keptAs[i] = kept[i];
        }
    }
};

// The object's own part of a section when there is none.
struct NoOwnPart {};
// The object's code for groups the table does not hold, when it has none: they are kept.
struct KeepOtherGroups {
    OtherGroup operator()(const resbuf&) const { return OtherGroup::kNotMine; }
};

template <class S, class... Fields>
class DxfSection {
    template <class F>
    static constexpr bool kIsHandWritten = std::is_same_v<F, field::HandWritten>;
    static constexpr bool kHasHandWritten = (kIsHandWritten<Fields> || ...);

public:
    constexpr DxfSection(SectionName name, Fields... fields) : mName(name), mFields(fields...)
    {
        static_assert((livesInValues<Fields>() && ...), "every field of a section lives in its values");
        static_assert((int(kIsHandWritten<Fields>) + ... + 0) <= 1, "a section has at most one hand-written part");
        int codes[sizeof...(Fields)] = {codeOf(fields)...};
        DxfValueType types[sizeof...(Fields)] = {valueTypeOf(fields)...};
        for (size_t i = 0; i < sizeof...(Fields); ++i) {
            if (codes[i] < 0) continue;
            if (codes[i] == 0 || codes[i] == 100 || codes[i] == 102 || codes[i] >= 1000)
                throw "a group code that frames records, sections or extended data, not a field";
            if (dxfValueType(codes[i]) != types[i]) throw "a group code that cannot carry its field's kind of value";
            for (size_t j = 0; j < i; ++j)
                if (codes[j] == codes[i]) throw "a group code used by two fields of one section";
        }
    }

    const ACHAR* marker() const { return mName.marker; }
    const char* keptAs() const { return mName.keptAs; }

    // The section's values, each field at its default.
    S defaults() const
    {
        S s{};
        std::apply([&](const auto&... f) { (setDefaultOf(f, s), ...); }, mFields);
        return s;
    }

    // Writes the marker, the fields in the table's order with the object's own
    // part where the table holds its place, then the groups kept from the file.
    template <class OwnPart = NoOwnPart>
    Acad::ErrorStatus write(AcDbDxfFiler* filer, const AcDbObject* obj, const S& s, OwnPart&& own = {}) const
    {
        static_assert(!kHasHandWritten || !std::is_same_v<std::decay_t<OwnPart>, NoOwnPart>,
                      "this section has a hand-written part: pass the code that writes it");
        filer->writeString(AcDb::kDxfSubclass, marker());
        std::apply([&](const auto&... f) { (writeOne(f, filer, s, own), ...); }, mFields);
        writeKeptGroups(filer, obj, keptAs());
        return filer->filerStatus();
    }

    // Reads the section into s (which starts from the defaults): from its
    // marker, when the record has it there, to the end of the record's data or
    // to where the object's code for other groups says the section ends.
    template <class Other = KeepOtherGroups>
    Acad::ErrorStatus read(AcDbDxfFiler* filer, AcDbObject* obj, S& s, Other&& other = {}) const
    {
        s = defaults();
        filer->atSubclassData(marker());
        resbuf rb;
        Acad::ErrorStatus es;
        while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
            if (take(rb, s, obj)) continue;
            OtherGroup use = other(rb);
            if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
            if (use == OtherGroup::kEndsSection) break;
            if (use == OtherGroup::kNotMine) keepCurrentGroup(filer, obj, keptAs());
        }
        if (es != Acad::eOk && es != Acad::eEndOfFile) return es;
        finish(s, obj);
        return Acad::eOk;
    }

    // The steps of read for an object that reads several sections in one pass:
    // stores a group in its field (false when no field has its code), and
    // settles at the end what the file did not give.
    bool take(const resbuf& rb, S& s, AcDbObject* obj) const
    {
        return std::apply([&](const auto&... f) { return (takeOne(f, rb, s, obj) || ...); }, mFields);
    }
    void finish(S& s, AcDbObject* obj) const
    {
        std::apply([&](const auto&... f) { (finishOne(f, s, obj), ...); }, mFields);
    }

private:
    template <class F>
    static constexpr bool livesInValues()
    {
        if constexpr (kIsHandWritten<F>)
            return true;
        else
            return std::is_same_v<typename F::Section, S>;
    }
    template <class F>
    static constexpr int codeOf(const F& f)
    {
        if constexpr (kIsHandWritten<F>)
            return -1;
        else
            return f.code;
    }
    template <class F>
    static constexpr DxfValueType valueTypeOf(const F&)
    {
        if constexpr (kIsHandWritten<F>)
            return DxfValueType::kInvalid;
        else
            return F::kValueType;
    }
    template <class F>
    static void setDefaultOf(const F& f, S& s)
    {
        if constexpr (!kIsHandWritten<F>) f.setDefault(s);
    }
    template <class F, class OwnPart>
    static void writeOne(const F& f, AcDbDxfFiler* filer, const S& s, OwnPart& own)
    {
        if constexpr (kIsHandWritten<F>)
            own(filer);
        else
            f.write(filer, s);
    }
    template <class F>
    static bool takeOne(const F& f, const resbuf& rb, S& s, AcDbObject* obj)
    {
        if constexpr (kIsHandWritten<F>) {
            return false;
        } else {
            if (rb.restype != f.code) return false;
            f.read(rb, s, obj);
            return true;
        }
    }
    template <class F>
    static void finishOne(const F& f, S& s, AcDbObject* obj)
    {
        if constexpr (!kIsHandWritten<F>) f.finish(s, obj);
    }

    SectionName mName;
    std::tuple<Fields...> mFields;
};

// A section's table: dxfSection<LineValues>("AcDbLine", field::point(10, &LineValues::start), ...).
template <class S, class... Fields>
constexpr DxfSection<S, Fields...> dxfSection(SectionName name, Fields... fields)
{
    return DxfSection<S, Fields...>(name, fields...);
}

}  // namespace arx
