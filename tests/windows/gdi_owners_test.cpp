// The GDI and handle owners: each frees what it holds with the right call, exactly
// once, also after moves; failed creations give empty owners; selections are put
// back; the live counters return to where they started.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "screens/win/gdi_owners.h"

namespace {

// Typing: each owner takes only its own kind of handle, and none is copyable.
static_assert(!std::is_constructible_v<UniqueFont, HDC>);
static_assert(!std::is_constructible_v<UniqueFont, HPEN>);
static_assert(!std::is_constructible_v<UniquePen, HGDIOBJ>);
static_assert(!std::is_constructible_v<UniqueBitmap, HDC>);
static_assert(!std::is_constructible_v<MemoryDc, HWND>);
static_assert(!std::is_constructible_v<WindowDc, HDC>);
static_assert(!DeletableGdiObject<HDC>);
static_assert(!std::is_copy_constructible_v<UniqueFont>);
static_assert(!std::is_copy_assignable_v<UniqueBitmap>);
static_assert(!std::is_copy_constructible_v<WindowDc>);
static_assert(!std::is_copy_constructible_v<MemoryDc>);
static_assert(!std::is_copy_constructible_v<ScopedSelectObject>);
static_assert(std::is_nothrow_move_constructible_v<UniqueFont>);
static_assert(std::is_nothrow_move_assignable_v<UniqueHandle>);
static_assert(std::is_nothrow_move_constructible_v<MemoryDc>);
static_assert(std::is_nothrow_move_constructible_v<WindowDc>);

UniqueFont MakeFont() {
    return UniqueFont(
        CreateFontW(-26, 0, 0, 0, 700, 1, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
}

TEST(GdiOwners, EachKindIsFreedAtScopeEnd) {
    const int start = LiveGdiOwners();
    HGDIOBJ font = nullptr;
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ bitmap = nullptr;
    HDC memory = nullptr;
    {
        WindowDc windowDc(GetDesktopWindow());
        MemoryDc memoryDc(windowDc.Get());
        UniqueFont fontOwner = MakeFont();
        UniquePen penOwner(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        UniqueBrush brushOwner(CreateSolidBrush(RGB(4, 5, 6)));
        UniqueBitmap bitmapOwner(CreateCompatibleBitmap(windowDc.Get(), 8, 8));
        ASSERT_TRUE(windowDc && memoryDc && fontOwner && penOwner && brushOwner && bitmapOwner);
        EXPECT_EQ(LiveGdiOwners(), start + 6);

        font = fontOwner.Get();
        pen = penOwner.Get();
        brush = brushOwner.Get();
        bitmap = bitmapOwner.Get();
        memory = memoryDc.Get();
        EXPECT_EQ(GetObjectType(windowDc.Get()), static_cast<DWORD>(OBJ_DC));
        EXPECT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
        EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(LiveGdiOwners(), start);
    EXPECT_EQ(GetObjectType(memory), 0u);
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST(GdiOwners, MovesTransferOwnershipAndAssignmentFreesTheOldObject) {
    const int start = LiveGdiOwners();
    UniqueFont first = MakeFont();
    ASSERT_TRUE(first);
    const HFONT held = first.Get();

    UniqueFont second(std::move(first));
    EXPECT_FALSE(first); // a moved-from owner is empty
    EXPECT_EQ(second.Get(), held);
    EXPECT_EQ(LiveGdiOwners(), start + 1);

    UniqueFont third = MakeFont();
    const HFONT replaced = third.Get();
    third = std::move(second);
    EXPECT_EQ(third.Get(), held);
    EXPECT_EQ(GetObjectType(replaced), 0u);
    EXPECT_EQ(GetObjectType(held), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(LiveGdiOwners(), start + 1);

    third = std::move(third); // self-move keeps the object
    EXPECT_EQ(GetObjectType(held), static_cast<DWORD>(OBJ_FONT));

    MemoryDc dc(nullptr);
    const HDC memory = dc.Get();
    MemoryDc other(std::move(dc));
    EXPECT_EQ(other.Get(), memory);
    EXPECT_EQ(LiveGdiOwners(), start + 2);

    third.Reset();
    third.Reset(); // a second reset frees nothing twice
    EXPECT_EQ(GetObjectType(held), 0u);
    EXPECT_EQ(LiveGdiOwners(), start + 1);
}

TEST(GdiOwners, FailedCreationsGiveEmptyOwners) {
    const int gdiStart = LiveGdiOwners();
    const int handleStart = LiveHandleOwners();
    {
        UniqueBitmap noBitmap(static_cast<HBITMAP>(nullptr));
        UniqueFont defaulted;
        WindowDc noWindow(nullptr);
        UniqueHandle invalid(INVALID_HANDLE_VALUE);
        UniqueHandle none(nullptr);
        UniqueHandle missingFile(CreateFileW(L"C:\\no such folder\\no such file.txt", GENERIC_READ,
                                             0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_FALSE(noBitmap || defaulted || noWindow || invalid || none || missingFile);
        EXPECT_EQ(LiveGdiOwners(), gdiStart);
        EXPECT_EQ(LiveHandleOwners(), handleStart);
    }
    EXPECT_EQ(LiveGdiOwners(), gdiStart);
    EXPECT_EQ(LiveHandleOwners(), handleStart);
}

TEST(GdiOwners, SelectionIsPutBack) {
    MemoryDc dc(nullptr);
    ASSERT_TRUE(dc);
    const HGDIOBJ originalPen = GetCurrentObject(dc.Get(), OBJ_PEN);
    const HGDIOBJ originalFont = GetCurrentObject(dc.Get(), OBJ_FONT);
    UniquePen pen(CreatePen(PS_SOLID, 1, RGB(9, 9, 9)));
    UniqueFont font = MakeFont();
    {
        ScopedSelectObject selectPen(dc.Get(), pen);
        ScopedSelectObject selectFont(dc.Get(), font);
        EXPECT_TRUE(selectPen.Selected() && selectFont.Selected());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), originalPen);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), originalFont);

    // Nothing to select, or nowhere to select it: nothing changes, nothing to restore.
    ScopedSelectObject nothing(dc.Get(), static_cast<HGDIOBJ>(nullptr));
    ScopedSelectObject nowhere(nullptr, pen);
    EXPECT_FALSE(nothing.Selected());
    EXPECT_FALSE(nowhere.Selected());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), originalPen);
}

DWORD WINAPI ReturnAtOnce(void*) {
    return 7;
}

TEST(GdiOwners, KernelHandlesAreClosed) {
    const int start = LiveHandleOwners();
    HANDLE thread = nullptr;
    {
        UniqueHandle owner(CreateThread(nullptr, 0, ReturnAtOnce, nullptr, 0, nullptr));
        ASSERT_TRUE(owner);
        thread = owner.Get();
        EXPECT_EQ(LiveHandleOwners(), start + 1);
        ASSERT_EQ(WaitForSingleObject(owner.Get(), 10000), WAIT_OBJECT_0);
        DWORD code = 0;
        ASSERT_TRUE(GetExitCodeThread(owner.Get(), &code));
        EXPECT_EQ(code, 7u);
    }
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(thread, &flags));
    EXPECT_EQ(LiveHandleOwners(), start);

    // A file opened without delete sharing cannot be deleted until its handle is
    // closed, so a successful delete proves the close.
    wchar_t folder[MAX_PATH] = {};
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameW(folder, L"own", 0, path), 0u);
    {
        UniqueHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        EXPECT_FALSE(DeleteFileW(path));
    }
    EXPECT_TRUE(DeleteFileW(path));
    EXPECT_EQ(LiveHandleOwners(), start);
}

} // namespace
