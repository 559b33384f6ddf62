// Group values as text: result buffers to and from tag stores, and whether a
// kept store can be written back as DXF.
#include "dxf_values.h"

#include <cstring>

#include "acutads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "../core/group_codes.h"
#include "../core/hex.h"
#include "../core/numtext.h"
#include "../core/tags.h"
#include "../core/utf.h"
#include "dxf_text.h"

namespace arx {

bool appendResbufAsTags(std::string& tags, const resbuf* rb)
{
    int code = rb->restype;
    std::string text;
    switch (dxfValueType(code)) {
    case DxfValueType::kString:
    case DxfValueType::kHandle:
        // Stores hold text as a file carries it: control characters in caret
        // notation, so that a value stays on its line when written.
        appendDxfString(text, rb->resval.rstring ? rb->resval.rstring : L"");
        addText(tags, code, text);
        return true;
    case DxfValueType::kPoint:
        for (int i = 0; i < 3; ++i) {
            text.clear();
            appendDouble(text, rb->resval.rpoint[i]);
            addText(tags, code + 10 * i, text);
        }
        return true;
    case DxfValueType::kDouble:
        appendDouble(text, rb->resval.rreal);
        addText(tags, code, text);
        return true;
    case DxfValueType::kInt16:
    case DxfValueType::kBool:
        appendInt(text, rb->resval.rint);
        addText(tags, code, text);
        return true;
    case DxfValueType::kInt32:
        appendInt(text, rb->resval.rlong);
        addText(tags, code, text);
        return true;
    case DxfValueType::kInt64:
        appendInt(text, rb->resval.mnInt64);
        addText(tags, code, text);
        return true;
    case DxfValueType::kBinary: {
        short n = rb->resval.rbinary.clen;
        if (n < 0 || (n > 0 && rb->resval.rbinary.buf == nullptr)) return false;
        addBinary(tags, code, std::string_view(rb->resval.rbinary.buf, static_cast<size_t>(n)));
        return true;
    }
    case DxfValueType::kObjectId: {
        auto* stub = reinterpret_cast<AcDbStub*>(rb->resval.rlname[0]);
        char buf[20];
        formatHexHandle(stub != nullptr ? AcDbObjectId(stub).handle().value() : 0, buf);
        addText(tags, code, buf);
        return true;
    }
    case DxfValueType::kInvalid: return false;
    }
    return false;
}

bool isWritableTagStore(std::string_view store, TagPlace place, std::string& why)
{
    TagCursor cursor(store);
    Tag t;
    bool first = true;
    bool open102 = false;
    bool firstOfObject = true;
    int pointY = -1;  // the y code that must come next
    const bool header = place == TagPlace::kObjectHeader;
    if (header) place = TagPlace::kObject;
    while (cursor.next(t)) {
        auto bad = [&](const char* what) {
            why = "group " + std::to_string(t.code) + " " + what;
            return false;
        };
        const bool isFirst = firstOfObject;
        firstOfObject = false;
        if (t.code < 0 || t.code > 1071) return bad("has no DXF code");
        if (t.code == 0 && place != TagPlace::kSection) return bad("would start a record");
        if (t.code == 9 && place == TagPlace::kHeaderVariable) return bad("would start a header variable");
        if (place == TagPlace::kExtendedData && (t.code < 1000 || (first && t.code != 1001)))
            return bad("is not extended data");
        const bool inObject = place == TagPlace::kObject || place == TagPlace::kRawObject || place == TagPlace::kProxy;
        if (inObject && t.code == 1001) return bad("would start extended data");
        // What a known class keeps is read again through the DXF filer, which
        // knows every code's type and reads a point's x with its y.
        // The DXF filer ends an object's own groups at the first 1000-series code.
        if (place == TagPlace::kObject && t.code >= 1000) return bad("would end the object's groups");
        if (place == TagPlace::kObject || (place == TagPlace::kProxy && t.code < 1000 && (isFirst || pointY >= 0))) {
            if (dxfValueType(t.code) == DxfValueType::kInvalid) return bad("has no value type");
            if (pointY >= 0 && t.code != pointY) return bad("follows an x coordinate without its y");
            pointY = isPointCode(t.code) && place == TagPlace::kObject ? t.code + 10
                     : isPointCode(t.code) && isFirst               ? t.code + 10
                                                                     : -1;
        }
        if (place == TagPlace::kSection) {
            if (first && t.code != 0) return bad("would not start a record");
            if (t.code == 0 && (t.value == "ENDSEC" || t.value == "EOF"))
                return bad("would end the section");
        }
        first = false;
        // An application's 102 groups in an object's header open and close in
        // pairs; the two the host reads itself are never kept. A proxy's groups
        // are read as they stand but for a first 102 group, which the header
        // reader takes.
        const bool braces = header || (place == TagPlace::kProxy && (isFirst || open102));
        if (t.code == 102 && braces) {
            // Inside a group only its "}" matters: the header reader keeps the rest as it stands.
            if (!t.value.empty() && t.value[0] == '{' && !open102) {
                if (t.value == "{ACAD_REACTORS" || t.value == "{ACAD_XDICTIONARY") return bad("is the host's own");
                open102 = true;
            } else if (t.value == "}") {
                if (!open102) return bad("closes no group");
                open102 = false;
            }
        }
        const bool binaryCode = isBinaryCode(t.code);
        if (t.kind == TagKind::Binary) {
            if (!binaryCode) return bad("holds bytes");
            if (t.value.size() > kMaxBinaryGroupBytes) return bad("is too long");
            continue;
        }
        if (t.kind != TagKind::Text) return bad("is of no kind");
        // A line break would end the value early, and a line's last carriage
        // return is taken as part of its end.
        if (t.value.find('\n') != std::string_view::npos || (!t.value.empty() && t.value.back() == '\r'))
            return bad("would not stay on its line");
        if (t.value.size() > (1u << 20)) return bad("is too long");
        if (binaryCode) return bad("holds text");
        // Values kept as they stand are read back as text; only a known
        // class's groups are parsed by their type, and the first of a proxy's
        // groups, which ends the header that is read before them.
        const bool typed = place == TagPlace::kObject || (place == TagPlace::kProxy && isFirst && t.code < 1000);
        if (!typed) continue;
        if (place == TagPlace::kProxy && (t.code == 5 || t.code == 105)) return bad("would be taken for the handle");
        if (dxfValueType(t.code) == DxfValueType::kInvalid) return bad("has no value type");
        std::int64_t n = 0;
        double d = 0;
        std::uint64_t h = 0;
        switch (dxfValueType(t.code)) {
        case DxfValueType::kPoint:
        case DxfValueType::kDouble:
            if (!parseDouble(t.value, d)) return bad("is not a number");
            break;
        case DxfValueType::kInt16:
        case DxfValueType::kBool:
            if (!parseInt(t.value, n) || n < -32768 || n > 65535) return bad("is not a 16-bit integer");
            break;
        case DxfValueType::kInt32:
            if (!parseInt(t.value, n) || n < INT32_MIN || n > static_cast<std::int64_t>(UINT32_MAX))
                return bad("is not a 32-bit integer");
            break;
        case DxfValueType::kInt64:
            if (!parseInt(t.value, n)) return bad("is not an integer");
            break;
        case DxfValueType::kBinary:
            return bad("holds text");
        case DxfValueType::kObjectId:
            if (!parseHexHandle(trimSpaces(t.value), h)) return bad("is not a handle");
            break;
        case DxfValueType::kString:
        case DxfValueType::kHandle:
        case DxfValueType::kInvalid: break;
        }
    }
    // The cursor stops at a group whose length runs past the end.
    if (cursor.position() != store.size()) {
        why = "damaged group store";
        return false;
    }
    if (open102) {
        why = "a 102 group is not closed";
        return false;
    }
    if (pointY >= 0) {
        why = "an x coordinate ends the groups without its y";
        return false;
    }
    return true;
}

resbuf* tagsToResbufChain(std::string_view store, AcDbDatabase* db)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    TagCursor cursor(store);
    Tag t;
    bool havePending = false;
    Tag pending;
    auto nextTag = [&](Tag& out) {
        if (havePending) {
            out = pending;
            havePending = false;
            return true;
        }
        return cursor.next(out);
    };
    while (nextTag(t)) {
        resbuf* rb = acutNewRb(t.code);
        switch (dxfValueType(t.code)) {
        case DxfValueType::kString:
        case DxfValueType::kHandle:
            rb->resval.rstring = newWideString(decodeDxfString(t.value));
            break;
        case DxfValueType::kPoint: {
            double v = 0;
            parseDouble(t.value, v);
            rb->resval.rpoint[0] = v;
            // y and z follow when present.
            for (int i = 1; i < 3; ++i) {
                Tag n;
                if (!nextTag(n)) break;
                if (n.code != t.code + 10 * i) {
                    pending = n;
                    havePending = true;
                    break;
                }
                v = 0;
                parseDouble(n.value, v);
                rb->resval.rpoint[i] = v;
            }
            break;
        }
        case DxfValueType::kDouble: {
            double v = 0;
            parseDouble(t.value, v);
            rb->resval.rreal = v;
            break;
        }
        case DxfValueType::kInt16:
        case DxfValueType::kBool: {
            std::int64_t v = 0;
            parseInt(t.value, v);
            rb->resval.rint = static_cast<short>(v);
            break;
        }
        case DxfValueType::kInt32: {
            std::int64_t v = 0;
            parseInt(t.value, v);
            rb->resval.rlong = static_cast<Adesk::Int32>(v);
            break;
        }
        case DxfValueType::kInt64: {
            std::int64_t v = 0;
            parseInt(t.value, v);
            rb->resval.mnInt64 = v;
            break;
        }
        case DxfValueType::kBinary: {
            size_t n = t.value.size() > 32767 ? 32767 : t.value.size();
            rb->resval.rbinary.clen = static_cast<short>(n);
            rb->resval.rbinary.buf = static_cast<char*>(acutNewBuffer(n > 0 ? n : 1));
            if (n > 0) std::memcpy(rb->resval.rbinary.buf, t.value.data(), n);
            break;
        }
        case DxfValueType::kObjectId: {
            std::uint64_t h = 0;
            AcDbObjectId id;
            if (db != nullptr && parseHexHandle(trimSpaces(t.value), h) && h != 0)
                db->getAcDbObjectId(id, true, AcDbHandle(h));
            rb->resval.rlname[0] = id.asOldId();
            rb->resval.rlname[1] = 0;
            break;
        }
        case DxfValueType::kInvalid:
            rb->restype = 1;  // keep unknown codes as text
            rb->resval.rstring = newWideString(decodeDxfString(t.value));
            break;
        }
        if (tail != nullptr)
            tail->rbnext = rb;
        else
            head = rb;
        tail = rb;
    }
    return head;
}

}  // namespace arx
