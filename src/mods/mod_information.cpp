#include "mods/mod_information.h"

#include <fstream>
#include <vector>

#include "mods/line_breaks.h"

static const DWORD kReserveLimit = 256u << 20;

std::string ReadDescription(const std::string& infoPath)
{
    std::string text;
    // Room for the whole file at once: growing the text block by block would
    // copy a large description many times over.
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (GetFileAttributesExA(infoPath.c_str(), GetFileExInfoStandard, &attributes) &&
        attributes.nFileSizeHigh == 0 && attributes.nFileSizeLow <= kReserveLimit)
        text.reserve(attributes.nFileSizeLow);
    std::vector<char> streamBuffer(1 << 16);  // far fewer reads than the default 512 bytes
    std::ifstream file;
    file.rdbuf()->pubsetbuf(streamBuffer.data(), static_cast<std::streamsize>(streamBuffer.size()));
    file.open(infoPath);

    char block[1024];
    while (file) {
        file.read(block, sizeof block - 1);
        block[file.gcount()] = '\0';
        text += block;
    }
    return text;
}

static ModSide OtherSide(const ModSide& side)
{
    return side.listBox == EnabledList ? DisabledSide() : EnabledSide();
}

void ShowModInformation(const ModSide& side)
{
    if (SendMessageA(side.listBox, LB_GETCURSEL, 0, 0) == LB_ERR)
        return;
    ModSide other = OtherSide(side);
    EnableWindow(side.button, TRUE);
    SendMessageA(other.listBox, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EnableWindow(other.button, FALSE);

    int row = SelectedRow(side);
    std::string text;
    if (row >= 0 && !side.mods[row].infoPath.empty())
        text = ToCrLf(ReadDescription(side.mods[row].infoPath));
    SetWindowTextA(InformationBox, text.c_str());
}
