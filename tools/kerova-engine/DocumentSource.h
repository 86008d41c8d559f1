// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Where import reads its document: a regular file (-i) or standard input. A
// device, a pipe or a folder named by -i is refused at once (standard input
// takes a pipe); input longer than StoreDocument::kMaxBytes, or whose first
// byte that is not a blank does not open a JSON object (a stream of zero
// bytes, say), is refused as soon as that is seen, never read to its end.
class DocumentSource
{
public:
    // Empty path: standard input. Raises saying what is wrong.
    static QByteArray read(const QString& path);
};
