// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CommandLine;

// kerova-engine export, import and copy: a store's models and levels as a
// JSON document, read back into a store, or moved between two aliases.
class TransferCommands
{
public:
    // Writes the document to the -o file (replaced only once fully written) or standard output.
    static int exportStore(const CommandLine& line);
    // Reads the document from the -i file or standard input, checks all of it, then writes it.
    static int importStore(const CommandLine& line);
    // Copies from the first alias to the second and verifies the target by reading it back.
    static int copyStore(const CommandLine& line);
};
