// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TextFiles.h"

#include "common/SaveFile.h"

#include <QIODevice>

namespace ql708::data {

TextSeparator separatorOfTableFile(const QString &path)
{
    return path.right(3).compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ? TextSeparator::Comma
                                                                                 : TextSeparator::Tab;
}

TextFileOutcome saveText(const QString &path, const std::function<TextFileOutcome(QIODevice &)> &write)
{
    SaveFile file(path);
    if (!file.open()) {
        TextFileOutcome failed;
        failed.error = file.reason();
        return failed;
    }
    TextFileOutcome outcome = write(file.device());
    if (!outcome.ok)
        file.cancel();
    else if (!file.commit()) {
        outcome.ok = false;
        outcome.error = file.reason();
    }
    return outcome;
}

namespace {
constexpr qsizetype kFlushBytes = 1 << 16;
} // namespace

LineBlocks::LineBlocks(QIODevice &out, const TextProgress &progress) : m_out(out), m_progress(progress)
{
    m_outcome.ok = true;
    m_block.reserve(kFlushBytes + 1024);
}

bool LineBlocks::endLine()
{
    m_block.append("\r\n");
    ++m_outcome.lines;
    if (m_block.size() >= kFlushBytes && !flush())
        return false;
    if (m_progress && m_outcome.lines % kProgressEveryLines == 0 && !m_progress(m_outcome.lines)) {
        m_outcome.ok = false;
        m_outcome.cancelled = true;
        return false;
    }
    return true;
}

TextFileOutcome LineBlocks::finish()
{
    if (m_outcome.ok && flush() && m_progress)
        m_progress(m_outcome.lines);
    return m_outcome;
}

bool LineBlocks::flush()
{
    if (m_out.write(m_block) != m_block.size()) {
        m_outcome.ok = false;
        m_outcome.error = m_out.errorString();
        return false;
    }
    m_block.clear();
    return true;
}

} // namespace ql708::data
