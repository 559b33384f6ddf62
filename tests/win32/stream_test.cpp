// Global memory blocks and the COM stream on them: fixed and moveable blocks, lock
// counts, checked handles, and a stream that reads, seeks, grows its block, shares
// it with clones and frees it with the last reference when asked to.
#include <gtest/gtest.h>

#include <cstring>

#include "windows.h"

TEST(GlobalMemory, FixedBlocksAreTheirAddressAndMoveableOnesNeedALock)
{
    HGLOBAL fixed = GlobalAlloc(GPTR, 16);
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_EQ(static_cast<BYTE*>(fixed)[15], 0);  // GMEM_ZEROINIT
    HGLOBAL moveable = GlobalAlloc(GMEM_MOVEABLE, 10);
    void* p = GlobalLock(moveable);
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p, moveable);
    EXPECT_EQ(GlobalLock(moveable), p);
    EXPECT_TRUE(GlobalUnlock(moveable));   // still locked once
    EXPECT_FALSE(GlobalUnlock(moveable));  // now unlocked
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(GlobalSize(moveable), 10u);
    EXPECT_EQ(GlobalReAlloc(fixed, 64, 0), nullptr);  // a fixed block cannot move
    EXPECT_EQ(GlobalReAlloc(moveable, 64, GMEM_ZEROINIT), moveable);
    EXPECT_EQ(GlobalSize(moveable), 64u);
    EXPECT_EQ(GlobalFree(moveable), nullptr);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
}

TEST(GlobalMemory, FreedAndMadeUpHandlesFail)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
    GlobalFree(h);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalFree(h), h);  // failure hands the handle back
    int local = 0;
    EXPECT_EQ(GlobalLock(&local), nullptr);
    EXPECT_EQ(GlobalAlloc(0x8000, 4), nullptr);
}

TEST(StreamOnHGlobal, ReadsTheBlockAndSeeks)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(h), "abcdef", 6);
    GlobalUnlock(h);
    IStream* s = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(h, FALSE, &s), S_OK);
    char buf[8] = {};
    ULONG got = 0;
    EXPECT_EQ(s->Read(buf, 4, &got), S_OK);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(std::string(buf, 4), "abcd");
    EXPECT_EQ(s->Read(buf, 4, &got), S_FALSE);  // only two left
    EXPECT_EQ(got, 2u);
    LARGE_INTEGER back;
    back.QuadPart = -3;
    ULARGE_INTEGER pos;
    EXPECT_EQ(s->Seek(back, STREAM_SEEK_END, &pos), S_OK);
    EXPECT_EQ(pos.QuadPart, 3u);
    back.QuadPart = -10;
    EXPECT_EQ(s->Seek(back, STREAM_SEEK_CUR, &pos), STG_E_INVALIDFUNCTION);
    STATSTG st;
    EXPECT_EQ(s->Stat(&st, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(st.cbSize.QuadPart, 6u);
    EXPECT_EQ(st.type, static_cast<DWORD>(STGTY_STREAM));
    IUnknown* unknown = nullptr;
    EXPECT_EQ(s->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    unknown->Release();
    EXPECT_EQ(s->QueryInterface(IID{1, 2, 3, {}}, reinterpret_cast<void**>(&unknown)), E_NOINTERFACE);
    EXPECT_EQ(s->Release(), 0u);
    EXPECT_EQ(GlobalSize(h), 6u);  // not freed: fDeleteOnRelease was FALSE
    GlobalFree(h);
}

TEST(StreamOnHGlobal, WritingPastTheEndGrowsTheBlockAndClonesShareIt)
{
    IStream* s = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &s), S_OK);
    ULONG put = 0;
    EXPECT_EQ(s->Write("hello", 5, &put), S_OK);
    EXPECT_EQ(put, 5u);
    IStream* clone = nullptr;
    ASSERT_EQ(s->Clone(&clone), S_OK);
    LARGE_INTEGER zero{};
    clone->Seek(zero, STREAM_SEEK_SET, nullptr);
    char buf[6] = {};
    ULONG got = 0;
    clone->Read(buf, 5, &got);
    EXPECT_STREQ(buf, "hello");
    s->Write("!", 1, nullptr);
    STATSTG st;
    clone->Stat(&st, STATFLAG_NONAME);
    EXPECT_EQ(st.cbSize.QuadPart, 6u);  // the size is shared
    s->Release();
    clone->Release();
}

TEST(StreamOnHGlobal, AFixedBlockCannotGrowAndTheBlockGoesWithTheLastReference)
{
    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 2);
    IStream* s = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(fixed, FALSE, &s), S_OK);
    EXPECT_EQ(s->Write("abc", 3, nullptr), STG_E_MEDIUMFULL);
    s->Release();
    GlobalFree(fixed);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_EQ(CreateStreamOnHGlobal(h, TRUE, &s), S_OK);
    s->AddRef();
    EXPECT_EQ(s->Release(), 1u);
    EXPECT_NE(GlobalSize(h), 0u);
    EXPECT_EQ(s->Release(), 0u);
    EXPECT_EQ(GlobalLock(h), nullptr);  // freed with the stream
    EXPECT_EQ(CreateStreamOnHGlobal(h, FALSE, &s), E_INVALIDARG);
}
