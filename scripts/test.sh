#!/usr/bin/env bash
# Installs what is missing, then runs every test: the unit tests of the optimised build, the
# same tests under AddressSanitizer and UBSan, the conformance harness's own tests, and the
# harness on the movies our writer makes. Ends with "N passed, N failed" counting those steps.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="${ORVANTA_JOBS:-2}"
# Other build folders can be named, so a developer's run does not reconfigure a shared one.
build_dir="${ORVANTA_BUILD_DIR:-build}"
asan_dir="${ORVANTA_ASAN_DIR:-build-asan}"

passed=0
failed=0
skipped=0
failed_steps=()

# step NAME COMMAND...: runs one step and counts it.
step() {
  local name="$1"
  shift
  local start=$SECONDS
  echo
  echo "=== ${name}"
  if "$@"; then
    passed=$((passed + 1))
    echo "=== ${name}: ok ($((SECONDS - start)) s)"
    return 0
  fi
  failed=$((failed + 1))
  failed_steps+=("$name")
  echo "=== ${name}: FAILED ($((SECONDS - start)) s)"
  return 1
}

skip() {
  skipped=$((skipped + 1))
  echo
  echo "=== $1: skipped ($2)"
}

finish() {
  echo
  if ((failed > 0)); then
    echo "failed steps: ${failed_steps[*]}"
  fi
  echo "total time: $((SECONDS / 60)) min $((SECONDS % 60)) s"
  if ((skipped > 0)); then
    echo "${passed} passed, ${failed} failed, ${skipped} skipped"
  else
    echo "${passed} passed, ${failed} failed"
  fi
  ((failed == 0))
  exit $?
}

# Configures and builds everything that builds (-k 0): one broken test program must not keep
# the others, or the conformance movie writer, from being built and run.
build() {
  local dir="$1"
  shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" && ninja -C "$dir" -j "$jobs" -k 0
}

if ! step "setup" bash scripts/setup.sh; then
  finish
fi

# The tests run even after a failed build: those whose programs built still tell something.
step "build" build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
step "unit tests" ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j "$jobs"

step "sanitizer build" build "$asan_dir" -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON -DORVANTA_BENCH=OFF
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:check_initialization_order=1}" \
  UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
  step "sanitizer unit tests" ctest --test-dir "$asan_dir" --output-on-failure --no-tests=error -j "$jobs"

step "harness self-test" bash -c 'cd tests/conformance && node --test'

# The content editors (their module tests run with the editor modules): every editor opened in
# headless Chromium at 1366 × 768 against a fake API (about 15 s).
if [[ -x "$build_dir/src/orvanta" ]]; then
  step "content editors in chromium" node tests/shell/web/editors/check_editors.mjs \
    --orvanta="$build_dir/src/orvanta" --out="$build_dir/editor-screens"
else
  skip "content editors in chromium" "$build_dir/src/orvanta was not built"
fi

movies_tool="$build_dir/tests/conformance/make_conformance_movies"
movies_dir="$build_dir/conformance-movies"
if [[ -x "$movies_tool" ]]; then
  rm -rf "$movies_dir"
  mkdir -p "$movies_dir"
  if step "conformance movies" "$movies_tool" "$movies_dir" &&
    step "demo movie" "$build_dir/src/orvanta" demo "$movies_dir/demo.swf"; then
    step "conformance check" node tests/conformance/check.mjs --json="$movies_dir/results.json" "$movies_dir"
    step "empty banner" bash tests/project/empty_banner_check.sh "$build_dir/src/orvanta" "$build_dir/src/data" \
      "$movies_dir"
  else
    skip "conformance check" "no movies written"
  fi
else
  skip "conformance movies" "$movies_tool was not built"
fi

# Every template the program carries parsed by swf-parser; a sample of them played in Ruffle.
artwork_dir="$build_dir/artwork-templates"
if [[ -x "$build_dir/src/orvanta" ]] &&
  step "artwork templates" bash tests/conformance/extract_artwork.sh "$build_dir/src/orvanta" "$artwork_dir"; then
  step "artwork parse" node tests/conformance/check.mjs --no-ruffle "$artwork_dir/all"
  step "artwork play" node tests/conformance/check.mjs "$artwork_dir/sample"
else
  skip "artwork parse and play" "no orvanta binary or no templates"
fi

# Banners built by the program and used as a person would, in Ruffle and Chromium: button links,
# roll-over looks, the whole-banner link and static texts; the slideshow's album clicked through;
# every library clip parsed and every 12th played; all five clip layers with an own LZMA movie and
# the catalogue's counts; published sites served over HTTP, the movie over its strips; the
# animated text of every effect in both passes, four first frames against Ruffle under
# tests/builders/animated_text_ceilings.json.
orvanta="$build_dir/src/orvanta"
data_root="$build_dir/src/data"
if [[ -x "$orvanta" ]]; then
  step "banner buttons and texts" node tests/conformance/check_banners.mjs "$orvanta"
  step "slideshow in ruffle" bash tests/conformance/slideshow_check.sh "$orvanta" "$data_root"
  step "library clips" node tests/conformance/check_clips.mjs "$orvanta" "$data_root" --every=12
  step "clip banner" bash tests/conformance/clip_banner.sh "$orvanta" "$data_root" "$build_dir/clip-banner"
  step "published pages" node tests/conformance/check_page.mjs --orvanta="$orvanta" --data-root="$data_root"
  step "animated text" bash tests/builders/animated_text_conformance.sh "$orvanta" "$build_dir/animated-text"
  # Every shipped sample project published without a warning and its movies parsed; every 8th
  # (13 of 102) played in Ruffle over its strips, which keeps the step near a minute and a half.
  step "sample projects" node tests/conformance/check_samples.mjs --orvanta="$orvanta" --data-root="$data_root" \
    --every=8 --jobs="$jobs"
  # Ad-network exports: clickTAG from flashvars, an animated GIF playing, a backup image against
  # Ruffle's picture of the same frame (about 20 s).
  step "ad network exports" node tests/conformance/check_export.mjs "$orvanta" "$data_root"
else
  skip "banner checks" "no orvanta binary"
fi

# A run of the editor in headless Chromium against the program that was built.
browser_step() {
  if [[ -x "$orvanta" ]]; then
    step "$1" node "$2" --orvanta="$orvanta"
  else
    skip "$1" "no orvanta binary"
  fi
}

# The editor in the browser: its modules against a fake API, then the whole window in headless
# Chromium (start-up, a sample, a rebuild seen in Ruffle, Undo, pages, save and load; about 1 min).
step "editor modules" node --test tests/shell/web/
browser_step "editor in the browser" tests/e2e/editor_e2e.mjs

# The slideshow's photo list in headless Chromium: three photos added in one dialog pass, their
# thumbnails, reorder and remove, OK and the rebuilt slideshow (about 15 s).
browser_step "photo list in the browser" tests/e2e/photos_e2e.mjs

# Design mode: the overlay's pointer states against a fake API, then select, drag, resize a
# clip and the banner and delete in headless Chromium (about 20 s).
step "design overlay states" node --test src/shell/web/design/
browser_step "design mode in the browser" tests/e2e/design_e2e.mjs

# The galleries in headless Chromium: every thumbnail of each, a pick played in Ruffle, OK and
# the rebuilt banner (about 50 s).
browser_step "galleries in the browser" tests/e2e/gallery_e2e.mjs

# The HTML text layers: a bold red word through the visual editor into the preview, Cancel on
# awkward markup, and a picture by path into the published images/html/ (about 20 s).
browser_step "HTML editor in the browser" tests/e2e/html_editor_e2e.mjs

# Our rasteriser against Ruffle (our movies, every 6th corpus file whose first frame needs no
# script) and against Flash Player pictures of the corpus; fails on a file past its ceiling in
# tests/conformance/render_ceilings.json.
if [[ -x "$build_dir/src/orvanta" && -f "$movies_dir/expected.json" ]]; then
  accuracy_sets="conformance"
  [[ -d "$root/../shared/corpus" ]] && accuracy_sets="conformance,corpus-a,corpus-b"
  step "render accuracy" node tests/conformance/render_accuracy.mjs --check --orvanta="$build_dir/src/orvanta" \
    --movies="$movies_dir" --corpus="$root/../shared/corpus" --sets="$accuracy_sets" --every=6 --jobs="$jobs" \
    --json="$build_dir/render-accuracy.json" --out="$build_dir/render-accuracy"
else
  skip "render accuracy" "no orvanta binary or no conformance movies"
fi

# Every other corpus file (and each one of the known-differences list) read and written back by
# our binary, both parsed by swf-parser and compared; --every=1 takes the whole corpus (5 min).
if [[ -x "$build_dir/src/orvanta" ]]; then
  step "corpus round trip" node tests/conformance/corpus_roundtrip.mjs --orvanta="$build_dir/src/orvanta" \
    --every="${ORVANTA_ROUNDTRIP_EVERY:-2}" --jobs="$jobs" --json="$build_dir/corpus-roundtrip.json"
else
  skip "corpus round trip" "$build_dir/src/orvanta was not built"
fi

# Every corpus movie imported as a sprite of a new movie; the harness plays every 8th of them
# (and the list in tests/corpus_import/always.txt): playing all of them takes over 20 minutes.
imports_tool="$build_dir/tests/corpus_import/import_corpus_movies"
imports_dir="$build_dir/corpus-imports"
corpus_dir="$root/../shared/corpus"
if [[ ! -d "$corpus_dir" ]]; then
  skip "corpus imports" "no corpus at $corpus_dir"
elif [[ -x "$imports_tool" ]]; then
  rm -rf "$imports_dir"
  if step "corpus imports" "$imports_tool" "$corpus_dir" "$imports_dir"; then
    step "corpus import check" node tests/corpus_import/check_imports.mjs --every=8 --play-ms=200 \
      --corpus="$corpus_dir" --json="$imports_dir/report.json" "$imports_dir"
  fi
else
  skip "corpus imports" "$imports_tool was not built"
fi

finish
