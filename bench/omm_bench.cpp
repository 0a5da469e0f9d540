// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Orbit mean-elements messages: 10,000 records read in each form (target:
// under 50 ms), and read and placed by SGP4 as Import Satellites does; the
// peak of memory reading a file at the 256 MiB cap in each form (target:
// under 4 times the file's size plus 50 MB).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "formats/orbit_mean_elements.h"
#include "process_memory.h"

namespace {

constexpr int kRecords = 10000;

struct Record {
    std::string name, id, epoch, meanMotion, eccentricity, inclination, node, perigee, anomaly, bstar;
};

Record RecordNumber(int i) {
    char text[32];
    const auto number = [&](const char* format, double value) {
        std::snprintf(text, sizeof text, format, value);
        return std::string(text);
    };
    return {"GEO OBJECT " + std::to_string(i), std::to_string(40000 + i), "2026-12-06T12:00:00.000000",
            number("%.8f", 1.0027 + (i % 7) * 1e-5), number("%.7f", 0.0001 + (i % 9) * 1e-5), number("%.4f", (i % 50) * 0.01),
            number("%.4f", (i * 37) % 360), number("%.4f", (i * 11) % 360), number("%.4f", (i * 53) % 360), "0"};
}

std::string Json(int records = kRecords) {
    std::string text = "[";
    for (int i = 0; i < records; ++i) {
        const Record r = RecordNumber(i);
        text += std::string(i ? ",\n" : "") + "{\"OBJECT_NAME\":\"" + r.name + "\",\"OBJECT_ID\":\"2020-001A\",\"EPOCH\":\"" +
                r.epoch + "\",\"MEAN_MOTION\":" + r.meanMotion + ",\"ECCENTRICITY\":" + r.eccentricity +
                ",\"INCLINATION\":" + r.inclination + ",\"RA_OF_ASC_NODE\":" + r.node + ",\"ARG_OF_PERICENTER\":" +
                r.perigee + ",\"MEAN_ANOMALY\":" + r.anomaly + ",\"EPHEMERIS_TYPE\":0,\"CLASSIFICATION_TYPE\":\"U\"," +
                "\"NORAD_CAT_ID\":" + r.id + ",\"ELEMENT_SET_NO\":999,\"REV_AT_EPOCH\":1000,\"BSTAR\":" + r.bstar +
                ",\"MEAN_MOTION_DOT\":0,\"MEAN_MOTION_DDOT\":0}";
    }
    return text + "]";
}

std::string Csv(int records = kRecords) {
    std::string text = "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
                       "MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,"
                       "MEAN_MOTION_DOT,MEAN_MOTION_DDOT\r\n";
    for (int i = 0; i < records; ++i) {
        const Record r = RecordNumber(i);
        text += r.name + ",2020-001A," + r.epoch + "," + r.meanMotion + "," + r.eccentricity + "," + r.inclination + "," +
                r.node + "," + r.perigee + "," + r.anomaly + ",0,U," + r.id + ",999,1000," + r.bstar + ",0,0\r\n";
    }
    return text;
}

std::string Xml(int records = kRecords) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ndm>\n";
    for (int i = 0; i < records; ++i) {
        const Record r = RecordNumber(i);
        text += "<omm id=\"CCSDS_OMM_VERS\" version=\"2.0\"><header><CREATION_DATE/><ORIGINATOR/></header><body><segment>"
                "<metadata><OBJECT_NAME>" + r.name + "</OBJECT_NAME><OBJECT_ID>2020-001A</OBJECT_ID><CENTER_NAME>EARTH"
                "</CENTER_NAME><REF_FRAME>TEME</REF_FRAME><TIME_SYSTEM>UTC</TIME_SYSTEM><MEAN_ELEMENT_THEORY>SGP4"
                "</MEAN_ELEMENT_THEORY></metadata><data><meanElements><EPOCH>" + r.epoch + "</EPOCH><MEAN_MOTION>" +
                r.meanMotion + "</MEAN_MOTION><ECCENTRICITY>" + r.eccentricity + "</ECCENTRICITY><INCLINATION>" +
                r.inclination + "</INCLINATION><RA_OF_ASC_NODE>" + r.node + "</RA_OF_ASC_NODE><ARG_OF_PERICENTER>" +
                r.perigee + "</ARG_OF_PERICENTER><MEAN_ANOMALY>" + r.anomaly + "</MEAN_ANOMALY></meanElements>"
                "<tleParameters><NORAD_CAT_ID>" + r.id + "</NORAD_CAT_ID><BSTAR>" + r.bstar +
                "</BSTAR></tleParameters></data></segment></body></omm>\n";
    }
    return text + "</ndm>\n";
}

// Read: every record's elements, checked.
void ReadRecords(benchmark::State& state, const std::string& text) {
    const azimora::ElementFormat format = azimora::SniffElementFormat(text);
    for (auto _ : state) {
        std::size_t usable = 0;
        std::string problem;
        for (const azimora::OmmRecord& record : azimora::OmmRecordsOf(text, format))
            usable += azimora::ElementsOfOmm(record, problem).has_value();
        if (usable != kRecords) state.SkipWithError("records were lost");
        benchmark::DoNotOptimize(usable);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_ReadTenThousandOmmJson(benchmark::State& state) { ReadRecords(state, Json()); }
void BM_ReadTenThousandOmmCsv(benchmark::State& state) { ReadRecords(state, Csv()); }
void BM_ReadTenThousandOmmXml(benchmark::State& state) { ReadRecords(state, Xml()); }
BENCHMARK(BM_ReadTenThousandOmmJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTenThousandOmmCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTenThousandOmmXml)->Unit(benchmark::kMillisecond);

// What Import Satellites does with a download: read, and place each by SGP4.
void BM_ReadAndPlaceTenThousandOmmJson(benchmark::State& state) {
    const std::string text = Json();
    const double instant = azimora::StartOfDay({2026, 12, 7});
    for (auto _ : state) benchmark::DoNotOptimize(azimora::ReadOrbitElements(text, instant));
}
BENCHMARK(BM_ReadAndPlaceTenThousandOmmJson)->Unit(benchmark::kMillisecond);

std::string Kvn(int records) {
    std::string text;
    for (int i = 0; i < records; ++i) {
        const Record r = RecordNumber(i);
        text += "CCSDS_OMM_VERS = 2.0\nCREATION_DATE = 2026-12-06T12:00:00\nORIGINATOR = 18 SPCS\nOBJECT_NAME = " +
                r.name + "\nOBJECT_ID = 2020-001A\nCENTER_NAME = EARTH\nREF_FRAME = TEME\nTIME_SYSTEM = UTC\n"
                "MEAN_ELEMENT_THEORY = SGP4\nEPOCH = " + r.epoch + "\nMEAN_MOTION = " + r.meanMotion +
                "\nECCENTRICITY = " + r.eccentricity + "\nINCLINATION = " + r.inclination + "\nRA_OF_ASC_NODE = " +
                r.node + "\nARG_OF_PERICENTER = " + r.perigee + "\nMEAN_ANOMALY = " + r.anomaly +
                "\nNORAD_CAT_ID = " + r.id + "\nBSTAR = " + r.bstar + "\n";
    }
    return text;
}

// A file of the form at the cap: its records repeated up to 256 MiB (one in
// a hundred geostationary, the rest low orbits, placed or skipped as read),
// or a JSON array of zeros, each a record that is no object.
std::string AtTheCap(int form) {
    constexpr std::size_t kCap = 256u << 20;
    if (form == 4) {
        std::string zeros = "[";
        while (zeros.size() + 2 < kCap) zeros += "0,";
        zeros.back() = ']';
        return zeros;
    }
    const auto make = [form](int n) { return form == 0 ? Json(n) : form == 1 ? Csv(n) : form == 2 ? Xml(n) : Kvn(n); };
    const std::string sample = make(1000);
    const std::size_t per = sample.size() / 1000 + 1;
    std::string text = make(static_cast<int>(kCap / per));
    for (std::size_t at = 0; (at = text.find("1.0027", at)) != std::string::npos; at += 6)
        if ((at / 7) % 100 != 0) text.replace(at, 6, "15.027");
    return text;
}

void BM_PeakMemoryAtTheCap(benchmark::State& state) {
    const int form = static_cast<int>(state.range(0));
    const double start = azimora::bench::StatusMegabytes("VmRSS");
    const std::string text = AtTheCap(form);
    const double instant = azimora::StartOfDay({2026, 12, 7});
    double peak = 0;
    std::size_t objects = 0;
    for (auto _ : state) {
        azimora::bench::ResetPeakMemory();
        const azimora::ElementSetFile file = azimora::ReadOrbitElements(text, instant);
        objects = file.objects.size() + file.skippedCount;
        peak = azimora::bench::StatusMegabytes("VmHWM") - start;
    }
    const double size = static_cast<double>(text.size()) / (1 << 20);
    state.counters["file_MB"] = size;
    state.counters["peak_MB"] = peak;
    state.counters["limit_MB"] = 4 * size + 50;
    state.counters["records"] = static_cast<double>(objects);
    state.SetLabel(form == 0 ? "JSON" : form == 1 ? "CSV" : form == 2 ? "XML" : form == 3 ? "KVN" : "JSON zeros");
}
BENCHMARK(BM_PeakMemoryAtTheCap)->DenseRange(0, 4)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
