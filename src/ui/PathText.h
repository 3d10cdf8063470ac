// File paths between the window's text and std::filesystem. A path is UTF-8 bytes on Linux and
// wide characters on Windows; going through the system's own form keeps every character, so a
// file named with accents opens the same on both.
#pragma once

#include <QString>

#include <filesystem>
#include <string>

namespace gw {

namespace pathtext {
// One of each pair is used, chosen by what the system's paths are made of.
inline QString FromNative(const std::string& native)
{
    return QString::fromStdString(native); // bytes that are not UTF-8 show as U+FFFD
}
inline QString FromNative(const std::wstring& native)
{
    return QString::fromStdWString(native);
}
inline void ToNative(std::string& native, const QString& text)
{
    native = text.toStdString();
}
inline void ToNative(std::wstring& native, const QString& text)
{
    native = text.toStdWString();
}
} // namespace pathtext

inline std::filesystem::path PathOfText(const QString& text)
{
    std::filesystem::path::string_type native;
    pathtext::ToNative(native, text);
    return std::filesystem::path(std::move(native));
}

inline QString TextOfPath(const std::filesystem::path& path)
{
    return pathtext::FromNative(path.native());
}

} // namespace gw
