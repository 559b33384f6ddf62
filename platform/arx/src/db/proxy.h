// Proxies: what the host keeps of an object whose class it does not know, or
// that asked to stay unread (a newer version). The data is kept exactly as read:
// either the object's binary stream (from a binary drawing, an ACAD_PROXY record
// of a DXF file, or an object whose module was unloaded) or its DXF groups.
#pragma once
#include <string>
#include <vector>

#include "dbproxy.h"

namespace arx {

struct ProxyClassInfo {
    std::wstring className;
    std::wstring dxfName;
    std::wstring appName;
    int proxyFlags = 0;
    int dwgVersion = 0;
    int maintVersion = 0;
    bool isEntity = false;
};

struct ProxyData {
    enum class Form : std::uint8_t { kBinary = 0, kDxf = 1 };
    ProxyClassInfo cls;
    Form form = Form::kBinary;
    // kBinary: the whole stream as the object's dwgOut wrote it.
    // kDxf: the record's groups after the common header, as a tag store.
    std::string bytes;
    // A binary stream from another program: never read as one of ours.
    bool foreign = false;
    // The DXF record type of a kept record when it is not the class's DXF name
    // (an ACAD_PROXY_ENTITY or ACAD_PROXY_OBJECT record of another program).
    std::wstring recordName;
};

// The text that closes the proxy records the host writes, marking their stream
// as the host's own.
const ACHAR* ownStreamMark();

AcDbObject* makeProxy(const ProxyClassInfo& cls, ProxyData::Form form, std::string bytes);
ProxyData* proxyData(const AcDbObject* obj);
// Reads a binary-form proxy's owner, reactors, extension dictionary, extended
// data and (for entities) layer and colour from its stream.
Acad::ErrorStatus loadProxyBase(AcDbObject* proxy);
// Builds the object a proxy stands for, through its class's own filing; null
// when the class is unknown or the object asks to stay a proxy (es says why).
AcDbObject* reviveProxy(AcDbObject* proxy, Acad::ErrorStatus& es);
// The proxy an object becomes when the code of its class goes away.
AcDbObject* proxyFromObject(AcDbObject* obj, Acad::ErrorStatus& es);
ProxyClassInfo classInfoOf(const AcRxClass* cls, bool isEntity);

struct ClassEntry;
// The class a DXF record of this type is made as: the class its CLASSES entry
// names, else the registered class of that DXF name; null when no such class
// is loaded (the record then becomes a proxy). entry is the CLASSES entry, if any.
AcRxClass* classForRecordType(const std::vector<ClassEntry>& entries, const std::wstring& dxfName,
                              const ClassEntry*& entry);

}  // namespace arx
