/*******************************************************************************
 * platform/outcome.cpp - outcomes and the router of reported outcomes
 ******************************************************************************/
#include "platform/outcome.h"
#include <cstdarg>
#include <cstdio>

namespace {

const char* program_name = "lumiker";

// Standard error: "<program>: <reason>".
void print_to_stderr(void*, const outcome& o) { fprintf(stderr, "%s: %s\n", program_name, o.why.c_str()); }

struct route {
    report_sink sink;
    void* target;
};
route routes[REPORT_CHANNELS] = {{nullptr, nullptr}, {print_to_stderr, nullptr}, {nullptr, nullptr}};

} // namespace

outcome outcome_note(msg_id id, ...)
{
    va_list ap;
    va_start(ap, id);
    outcome o{true, msg_v(id, ap)};
    va_end(ap);
    return o;
}

outcome outcome_fail(msg_id id, ...)
{
    va_list ap;
    va_start(ap, id);
    outcome o{false, msg_v(id, ap)};
    va_end(ap);
    return o;
}

void report_attach(report_channel channel, report_sink sink, void* target)
{
    if (channel >= 0 && channel < REPORT_CHANNELS) routes[channel] = route{sink, target};
}

void report(report_channel channel, const outcome& o)
{
    if (o.ok && o.why.empty()) return;
    if (channel >= 0 && channel < REPORT_CHANNELS && routes[channel].sink) routes[channel].sink(routes[channel].target, o);
}

void report_program_name(const char* name) { program_name = name ? name : "lumiker"; }
