#include "status/StatusPage.h"

namespace qv {

namespace {

// The token the page was opened with goes along with every fetch it makes.
constexpr std::string_view kPage = R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Status of the run</title>
<style>
body { font-family: sans-serif; margin: 1em; background: #f4f4f4; color: #111; }
h1 { font-size: 1.4em; margin: 0 0 0.3em 0; }
#stamp { color: #444; margin-bottom: 0.8em; }
#stale { color: #b00; font-weight: bold; }
.grid { display: flex; flex-wrap: wrap; gap: 1em; align-items: flex-start; }
table { border-collapse: collapse; background: #fff; }
th { text-align: left; background: #ddd; padding: 0.25em 0.6em; }
td { padding: 0.2em 0.6em; border-top: 1px solid #e4e4e4; white-space: nowrap; }
td.v { text-align: right; font-variant-numeric: tabular-nums; }
.counting { color: #070; font-weight: bold; }
.stopped { color: #a00; font-weight: bold; }
figure { margin: 1em 0 0 0; }
figcaption { font-weight: bold; margin-bottom: 0.3em; }
img { max-width: 100%; border: 1px solid #999; background: #fff; }
#remark { white-space: pre-wrap; background: #fff; padding: 0.4em; border: 1px solid #ccc; }
#remark:empty { display: none; }
</style>
</head>
<body>
<h1>Status of the run <span id="program"></span></h1>
<div id="stamp">Waiting for the first capture&hellip; <span id="stale"></span></div>
<div class="grid">
<table>
<tr><th colspan="2">Counting</th></tr>
<tr><td>Qv2</td><td class="v" id="qv2_state">&ndash;</td></tr>
<tr><td>Qv1</td><td class="v" id="qv1_state">&ndash;</td></tr>
<tr><td>Aa</td><td class="v" id="aa_state">&ndash;</td></tr>
<tr><th colspan="2">Rates [pulses/sec]</th></tr>
<tr><td>Qv2</td><td class="v" id="qv2_rate">&ndash;</td></tr>
<tr><td>Qv1</td><td class="v" id="qv1_rate">&ndash;</td></tr>
</table>
<table>
<tr><th colspan="2">Amplitude analyser</th></tr>
<tr><td>Live time [sec]</td><td class="v" id="live_time">&ndash;</td></tr>
<tr><td>Dead time [sec]</td><td class="v" id="dead_time">&ndash;</td></tr>
<tr><td>% Dt / (Dt+Lt)</td><td class="v" id="dead_time_pct">&ndash;</td></tr>
<tr><th colspan="2">High voltage [V]</th></tr>
<tr><td>Desired</td><td class="v" id="hv_desired_volts">&ndash;</td></tr>
<tr><td>Current</td><td class="v" id="hv_current_volts">&ndash;</td></tr>
</table>
<table>
<tr><th colspan="2">Vibrator</th></tr>
<tr><td>Amplitude desired</td><td class="v" id="vibrator_amplitude_desired">&ndash;</td></tr>
<tr><td>Amplitude current</td><td class="v" id="vibrator_amplitude_current">&ndash;</td></tr>
<tr><td>Velocity desired [mm/s]</td><td class="v" id="vibrator_velocity_desired">&ndash;</td></tr>
<tr><td>Velocity current [mm/s]</td><td class="v" id="vibrator_velocity_current">&ndash;</td></tr>
</table>
<table>
<tr><th colspan="2">BackUp and AutoSave</th></tr>
<tr><td>Period [sec]</td><td class="v" id="backup_period">&ndash;</td></tr>
<tr><td>Till nearest [sec]</td><td class="v" id="backup_till_nearest">&ndash;</td></tr>
<tr><td>AutoSave</td><td class="v" id="auto_save">&ndash;</td></tr>
<tr><td>Last autosave</td><td class="v" id="autosave_time">&ndash;</td></tr>
<tr><td>File</td><td class="v" id="autosave_file">&ndash;</td></tr>
<tr><td>Result</td><td class="v" id="autosave_result">&ndash;</td></tr>
</table>
</div>
<p><b>File:</b> <span id="file">&ndash;</span> &nbsp; <a id="download" href="measurement.qv">download</a></p>
<div id="remark"></div>
<figure><figcaption>Channel view</figcaption><img id="view" alt="channel view"></figure>
<figure><figcaption>Velocity spectrum</figcaption><img id="velocity" alt="velocity spectrum">
<div id="novelocity">No velocity calibration set.</div></figure>
<figure><figcaption>Run log</figcaption><img id="runlog" alt="run log plot"></figure>
<script>
"use strict";
const token = new URLSearchParams(location.search).get("token");
function url(path, n) {
  const q = new URLSearchParams();
  if (token) q.set("token", token);
  if (n !== undefined) q.set("n", n);
  const s = q.toString();
  return s ? path + "?" + s : path;
}
function text(v, digits) {
  if (v === null || v === undefined) return "\u2013";
  if (typeof v === "number" && digits !== undefined) return v.toFixed(digits);
  if (typeof v === "boolean") return v ? "on" : "off";
  return String(v);
}
function put(id, v, digits) { document.getElementById(id).textContent = text(v, digits); }
function state(id, v) {
  const e = document.getElementById(id);
  e.textContent = v; e.className = "v " + v;
}
let shown = -1;
function show(s) {
  document.getElementById("program").textContent = "in " + s.program;
  if (!s.sequence) return;
  document.getElementById("stamp").firstChild.textContent =
    "Capture " + s.sequence + " at " + s.capture_time +
    (s.capture_result ? " (Err no:" + s.capture_result + ")" : "") + " ";
  document.getElementById("stale").textContent = "";
  ["qv2_state", "qv1_state", "aa_state"].forEach(k => state(k, s[k]));
  ["qv2_rate", "qv1_rate", "live_time", "dead_time", "vibrator_amplitude_desired",
   "vibrator_amplitude_current", "backup_period", "backup_till_nearest", "auto_save"]
    .forEach(k => put(k, s[k]));
  put("dead_time_pct", s.dead_time_pct, 1);
  put("hv_desired_volts", s.hv_desired_volts, 1);
  put("hv_current_volts", s.hv_current_volts, 1);
  put("vibrator_velocity_desired", s.vibrator_velocity_desired, 3);
  put("vibrator_velocity_current", s.vibrator_velocity_current, 3);
  const a = s.last_autosave;
  put("autosave_time", a && a.time); put("autosave_file", a && a.file);
  put("autosave_result", a && a.result);
  put("file", s.file || "(not saved yet)");
  document.getElementById("remark").textContent = s.remark;
  if (s.sequence !== shown) {
    shown = s.sequence;
    document.getElementById("view").src = url("view.png", shown);
    document.getElementById("runlog").src = url("runlog.png", shown);
    const v = document.getElementById("velocity");
    v.style.display = s.velocity_picture ? "" : "none";
    document.getElementById("novelocity").style.display = s.velocity_picture ? "none" : "";
    if (s.velocity_picture) v.src = url("velocity.png", shown);
  }
}
async function refresh() {
  try {
    const r = await fetch(url("status.json"), {cache: "no-store"});
    if (!r.ok) throw new Error("HTTP " + r.status);
    show(await r.json());
  } catch (e) {
    document.getElementById("stale").textContent = "(no answer: " + e.message + ")";
  }
}
// A renderer that has no calibration to draw with answers 404.
document.getElementById("velocity").onerror = function () {
  this.style.display = "none";
  document.getElementById("novelocity").style.display = "";
};
document.getElementById("download").href = url("measurement.qv");
refresh();
setInterval(refresh, 3000);
</script>
</body>
</html>
)html";

}  // namespace

std::string_view StatusPageHtml() {
    return kPage;
}

}  // namespace qv
