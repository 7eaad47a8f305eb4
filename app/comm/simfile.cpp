#include "app/comm/simfile.h"

#include "app/comm/projectlink.h"
#include "app/project/memimage.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kes {

Bytes BuildSimFile(const ProjectDoc& doc, bool enableUpDown)
{
    SystemBlockExtras extras;
    extras.pageCount = doc.PgDataList.size();
    extras.enableUpDown = enableUpDown;
    Bytes out(SystemBlockSize(doc.PanelFwVer), 0xFF);
    BuildSystemBlock(doc, extras, out);
    const std::uint32_t length = static_cast<std::uint32_t>(std::max(doc.MemImageLen, 0));
    PutU16be(out, 10, static_cast<std::uint16_t>(doc.PrjVersion));
    PutU16be(out, 12, static_cast<std::uint16_t>(doc.PanelModelIndex));
    PutU32be(out, 14, length);

    std::vector<std::uint32_t> offsets;
    OffsetsOf(doc.OffsetList, offsets);
    AppendU32be(out, 0);
    for (std::uint32_t v : offsets)
        AppendU32be(out, v);
    const std::size_t n = std::min<std::size_t>(length, doc.MemImage.size());
    out.insert(out.end(), doc.MemImage.begin(), doc.MemImage.begin() + n);
    return out;
}

bool WriteSimFile(ProjectDoc& doc, const std::string& path, bool enableUpDown, FileError* error)
{
    if (!BuildPageImage(doc))
        return false;
    const Bytes file = BuildSimFile(doc, enableUpDown);
    return WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), error);
}

std::string SimulatorPath(const std::string& appDir)
{
    for (const char* name : {"LxSim", "LxSim.exe"}) {
        const std::string path = appDir + name;
        if (FileExists(path))
            return path;
    }
    return {};
}

bool StartSimulator(const std::string& program, const std::string& simPath, bool online)
{
    QStringList args{AnsiToQString(simPath)};
    if (online)
        args << QStringLiteral("/OnLine");
    return QProcess::startDetached(AnsiToQString(program), args);
}

} // namespace kes
