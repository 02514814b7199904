// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TestFileWriter.h"

#include "io/BinaryWriter.h"
#include "io/ZlibOutputStream.h"
#include "model/Scrambler.h"
#include "model/TestFileFormat.h"
#include "model/TestLoader.h"
#include "platform/Paths.h"
#include "text/Cp1251.h"

#include <limits>
#include <zlib.h>

namespace tevrix {

void WriteTestFile(OutputStream& output, const TTest& test, const TTaskList& tasks,
                   const std::vector<EmbeddedFile>& files) {
    ScramblingOutputStream scrambled(output, TestFileKey());
    BinaryWriter layer2(scrambled);
    layer2.WriteBytes(tvf::kMagic);
    layer2.WriteText(tvf::kHeaderText);

    ZlibOutputStream body(scrambled, Z_DEFAULT_COMPRESSION);
    BinaryWriter writer(body);
    test.SaveToStream(body);
    writer.WriteInt32(static_cast<int32_t>(tasks.size()));
    for (const TTask& task : tasks)
        task.SaveToStream(body);
    writer.WriteInt32(static_cast<int32_t>(files.size()));
    for (const EmbeddedFile& file : files) {
        const std::string name = Utf8ToCp1251(file.Name);
        if (!IsPlainFileName(file.Name) || name.size() > tvf::kMaxFileNameLength)
            throw FormatError("not a plain file name: " + file.Name);
        if (file.Content.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
            throw FormatError("file too large: " + file.Name);
        writer.WriteText(name);
        writer.WriteInt32(static_cast<int32_t>(file.Content.size()));
        body.Write(file.Content.data(), file.Content.size());
    }
    body.Finish();
}

std::vector<uint8_t> WriteTestFileBytes(const TTest& test, const TTaskList& tasks,
                                        const std::vector<EmbeddedFile>& files) {
    MemoryOutputStream output;
    WriteTestFile(output, test, tasks, files);
    return output.TakeBytes();
}

} // namespace tevrix
