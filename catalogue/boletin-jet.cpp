// SPDX-License-Identifier: GPL-3.0-or-later
// The Jet reading process, started afresh by JetImport for every import.
#include "JetLector.h"

int main(int argc, char **argv)
{
    return JetLector::principal(argc, argv);
}
