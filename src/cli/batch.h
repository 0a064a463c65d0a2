// mozaru-cli's batches: many inputs into --output-dir, on worker threads.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/options.h"

namespace mozaru {

// Why the inputs cannot be run as a batch into options.outputDir (standard
// input among them, two inputs of one file name, an output that would replace
// an input of the run); empty when they can. Checked before anything is written.
std::string batchProblem(const CliOptions& options);

// Runs every input into options.outputDir with options.jobs threads;
// messages go to err in input order after the run. Returns the exit status.
int runBatch(const CliOptions& options, std::istream& in, std::ostream& err, bool showProgress);

}  // namespace mozaru
