#ifndef BENCH_BENCHPRODUCT_H
#define BENCH_BENCHPRODUCT_H

#include <QString>

namespace bench {

// The product a benchmark program removes with the real procedure: a setup
// description beside the running program and an Uninstall key in the registry
// stand-in whose install location names a generated tree.
//
// The removal deletes whatever the key names, so everything here happens in a
// sandbox only: BENCH_SANDBOX must name an absolute directory that holds HOME,
// XDG_DATA_HOME, the program itself and every tree.
class BenchProduct
{
public:
    // Checks the sandbox and writes the setup description. Must run before
    // anything reads the setup description, which is loaded only once.
    static bool prepare(QString *error);

    // True when path lies strictly inside the sandbox.
    static bool isInSandbox(const QString &path);

    // Writes the product's Uninstall key with location as its install location.
    static bool install(const QString &location, QString *error);
};

} // namespace bench

#endif
