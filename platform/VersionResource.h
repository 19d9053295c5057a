#pragma once
// Builds a version block in the OS's layout at compile time, as a resource compiler does:
//
//   VS_VERSIONINFO { VS_FIXEDFILEINFO; StringFileInfo { <lang+codepage> { String... } };
//                    VarFileInfo { Translation } }
//
// Every node is { WORD wLength; WORD wValueLength; WORD wType; UTF-16 key; pad to 4; value;
// pad to 4; children }, wLength counting from the node's start to the end of its last child.
// A module places the block (VersionResourceBlock) in its file, where
// GetFileVersionInfoSizeW / GetFileVersionInfoW find it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "Windows.h"

namespace VersionResource {

struct TStringValue {
    std::u16string_view Key;
    std::u16string_view Value;
};

struct TVersionData {
    DWORD FileVersionMS, FileVersionLS;
    DWORD ProductVersionMS, ProductVersionLS;
    DWORD FileType;
    std::u16string_view LangCodePage; // e.g. u"040704E4": language 0x0407, code page 0x04E4
    WORD Language, CodePage;
    std::span<const TStringValue> Strings;
};

namespace Detail {

struct Counter {
    std::size_t Pos = 0;
    constexpr void Byte(std::uint8_t) { ++Pos; }
};

template <std::size_t N> struct Writer {
    std::array<std::uint8_t, N> Bytes{};
    std::size_t Pos = 0;
    constexpr void Byte(std::uint8_t b) { Bytes[Pos++] = b; }
};

template <class S> constexpr void Word(S &s, WORD w)
{
    s.Byte(std::uint8_t(w & 0xFF));
    s.Byte(std::uint8_t(w >> 8));
}
template <class S> constexpr void DWord(S &s, DWORD d)
{
    Word(s, WORD(d & 0xFFFF));
    Word(s, WORD(d >> 16));
}
template <class S> constexpr void Pad(S &s)
{
    while (s.Pos % 4)
        s.Byte(0);
}
template <class S> constexpr void Text(S &s, std::u16string_view t)
{
    for (char16_t c : t)
        Word(s, WORD(c));
    Word(s, 0);
}

// One node; Value and Children write themselves into the sink they are given.
template <class S, class V, class C>
constexpr void Node(S &s, std::u16string_view Key, WORD ValueLength, WORD Type, V Value, C Children)
{
    auto rest = [&](auto &sink) {
        Text(sink, Key);
        Pad(sink);
        Value(sink);
        Children(sink);
    };
    Counter length{6}; // the node starts on a 4-byte boundary, so counting from 0 keeps the padding
    rest(length);
    Word(s, WORD(length.Pos));
    Word(s, ValueLength);
    Word(s, Type);
    rest(s);
}

constexpr auto NoValue = [](auto &) {};

template <class S> constexpr void Block(S &s, const TVersionData &d)
{
    const auto fixed = [&](auto &sink) {
        for (DWORD v : {VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, d.FileVersionMS, d.FileVersionLS, d.ProductVersionMS,
                        d.ProductVersionLS, VS_FFI_FILEFLAGSMASK, DWORD(0), VOS__WINDOWS32, d.FileType, DWORD(0),
                        DWORD(0), DWORD(0)})
            DWord(sink, v);
    };
    const auto strings = [&](auto &sink) {
        for (const TStringValue &v : d.Strings) {
            Pad(sink);
            Node(sink, v.Key, WORD(v.Value.size() + 1), 1, [&](auto &vs) { Text(vs, v.Value); }, NoValue);
        }
    };
    const auto table = [&](auto &sink) {
        Pad(sink);
        Node(sink, d.LangCodePage, 0, 1, NoValue, strings);
    };
    const auto translation = [&](auto &sink) {
        Pad(sink);
        Node(sink, u"Translation", 4, 0, [&](auto &vs) { Word(vs, d.Language); Word(vs, d.CodePage); }, NoValue);
    };
    const auto children = [&](auto &sink) {
        Pad(sink);
        Node(sink, u"StringFileInfo", 0, 1, NoValue, table);
        Pad(sink);
        Node(sink, u"VarFileInfo", 0, 1, NoValue, translation);
    };
    Node(s, u"VS_VERSION_INFO", WORD(sizeof(VS_FIXEDFILEINFO)), 0, fixed, children);
}

} // namespace Detail

constexpr std::size_t BlockSize(const TVersionData &d)
{
    Detail::Counter c;
    Detail::Block(c, d);
    return c.Pos;
}

// The block's bytes; N must be BlockSize(d).
template <std::size_t N> constexpr std::array<std::uint8_t, N> BuildBlock(const TVersionData &d)
{
    Detail::Writer<N> w;
    Detail::Block(w, d);
    return w.Bytes;
}

} // namespace VersionResource
