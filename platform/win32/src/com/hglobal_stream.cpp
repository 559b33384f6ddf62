// CreateStreamOnHGlobal: an IStream over a global memory block. Clones share the
// block and its size but keep their own position; the block is freed with the last
// of them when the stream was made with fDeleteOnRelease.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

#include "combaseapi.h"

namespace {

struct Shared {
    HGLOBAL block = nullptr;
    ULONGLONG size = 0;
    bool deleteOnRelease = false;
    ~Shared()
    {
        if (deleteOnRelease && block != nullptr) GlobalFree(block);
    }
};

class HGlobalStream final : public IStream {
public:
    HGlobalStream(std::shared_ptr<Shared> shared, ULONGLONG position) : mShared(std::move(shared)), mPosition(position) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
            *ppvObject = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++mRefs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = --mRefs;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        if (pcbRead) *pcbRead = 0;
        if (pv == nullptr) return STG_E_INVALIDPOINTER;
        ULONGLONG available = mPosition < mShared->size ? mShared->size - mPosition : 0;
        ULONG n = static_cast<ULONG>(std::min<ULONGLONG>(cb, available));
        if (n > 0) {
            auto* data = static_cast<const BYTE*>(GlobalLock(mShared->block));
            if (data == nullptr) return E_FAIL;
            std::memcpy(pv, data + mPosition, n);
            GlobalUnlock(mShared->block);
        }
        mPosition += n;
        if (pcbRead) *pcbRead = n;
        return n < cb ? S_FALSE : S_OK;
    }

    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        if (pcbWritten) *pcbWritten = 0;
        if (pv == nullptr) return STG_E_INVALIDPOINTER;
        if (cb == 0) return S_OK;
        ULONGLONG end = mPosition + cb;
        if (end > mShared->size) {
            ULARGE_INTEGER newSize;
            newSize.QuadPart = end;
            if (FAILED(SetSize(newSize))) return STG_E_MEDIUMFULL;
        }
        auto* data = static_cast<BYTE*>(GlobalLock(mShared->block));
        if (data == nullptr) return E_FAIL;
        std::memcpy(data + mPosition, pv, cb);
        GlobalUnlock(mShared->block);
        mPosition = end;
        if (pcbWritten) *pcbWritten = cb;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override
    {
        LONGLONG base;
        switch (dwOrigin) {
        case STREAM_SEEK_SET: base = 0; break;
        case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(mPosition); break;
        case STREAM_SEEK_END: base = static_cast<LONGLONG>(mShared->size); break;
        default: return STG_E_INVALIDFUNCTION;
        }
        LONGLONG target = base + dlibMove.QuadPart;
        if (target < 0) return STG_E_INVALIDFUNCTION;
        mPosition = static_cast<ULONGLONG>(target);
        if (plibNewPosition) plibNewPosition->QuadPart = mPosition;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override
    {
        ULONGLONG wanted = libNewSize.QuadPart;
        if (wanted > GlobalSize(mShared->block)) {
            if (GlobalReAlloc(mShared->block, static_cast<SIZE_T>(wanted), GMEM_MOVEABLE) == nullptr)
                return E_OUTOFMEMORY;
        }
        mShared->size = wanted;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                     ULARGE_INTEGER* pcbWritten) override
    {
        if (pstm == nullptr) return STG_E_INVALIDPOINTER;
        ULONGLONG read = 0, written = 0;
        BYTE buffer[4096];
        while (read < cb.QuadPart) {
            ULONG chunk = static_cast<ULONG>(std::min<ULONGLONG>(sizeof buffer, cb.QuadPart - read));
            ULONG got = 0, put = 0;
            Read(buffer, chunk, &got);
            if (got == 0) break;
            read += got;
            HRESULT hr = pstm->Write(buffer, got, &put);
            written += put;
            if (FAILED(hr)) {
                if (pcbRead) pcbRead->QuadPart = read;
                if (pcbWritten) pcbWritten->QuadPart = written;
                return hr;
            }
        }
        if (pcbRead) pcbRead->QuadPart = read;
        if (pcbWritten) pcbWritten->QuadPart = written;
        return S_OK;
    }

    // A stream on memory has nothing to commit or revert, and no regions to lock.
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }

    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) override
    {
        if (pstatstg == nullptr) return STG_E_INVALIDPOINTER;
        *pstatstg = STATSTG{};
        pstatstg->type = STGTY_STREAM;
        pstatstg->cbSize.QuadPart = mShared->size;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override
    {
        if (ppstm == nullptr) return STG_E_INVALIDPOINTER;
        *ppstm = new HGlobalStream(mShared, mPosition);
        return S_OK;
    }

private:
    ~HGlobalStream() = default;

    std::shared_ptr<Shared> mShared;
    ULONGLONG mPosition;
    std::atomic<ULONG> mRefs{1};
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm)
{
    if (ppstm == nullptr) return E_INVALIDARG;
    *ppstm = nullptr;
    auto shared = std::make_shared<Shared>();
    if (hGlobal == nullptr) {
        hGlobal = GlobalAlloc(GMEM_MOVEABLE, 0);
        if (hGlobal == nullptr) return E_OUTOFMEMORY;
        shared->size = 0;
    } else {
        if (GlobalLock(hGlobal) == nullptr) return E_INVALIDARG;
        GlobalUnlock(hGlobal);
        shared->size = GlobalSize(hGlobal);
    }
    shared->block = hGlobal;
    shared->deleteOnRelease = fDeleteOnRelease != FALSE;
    *ppstm = new HGlobalStream(std::move(shared), 0);
    return S_OK;
}
