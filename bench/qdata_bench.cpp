// The start-up check of the data archive: the index built, data/q.dat opened, its header and
// every member's checksum compared, with the archive in the page cache (as at every start
// but the first after a boot).

#include "bench.h"

#include "qdata.h"

LUNERRA_BENCH_GROUP(25, qdata) {
    if (!bench::enter_build_folder()) {
        r.note("qdata: data/q.dat not found beside the bench folder; skipped");
        return;
    }
    bool whole = true;
    r.figure("qdata_check", bench::time_ms([&] {
                 qdata_use_builtin();
                 whole = whole && qdata_check().empty();
             }));
    if (!whole) r.note("qdata_check: the build's own archive did not pass");
}
