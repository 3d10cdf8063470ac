// Item names and free texts are Windows-1252 bytes in the items and files; the controls show
// and edit them as Unicode.
#pragma once

#include <string>
#include <string_view>

#include <QString>

#include "model/Text1252.h"

inline QString FromCp1252(std::string_view bytes)
{
    const std::u16string text = gw::DecodeCp1252(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToCp1252(const QString& text)
{
    const QStringView view(text);
    return gw::EncodeCp1252(std::u16string_view(view.utf16(), static_cast<std::size_t>(view.size())));
}
