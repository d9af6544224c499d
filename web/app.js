// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Trezolin's page: the window of the desktop program, built from the same
// description and driven by the same lesson, compiled to WebAssembly. The
// page makes its controls and gives the lesson's presenter a handful of
// setters; it computes, compares and decides nothing.

const SVG = "http://www.w3.org/2000/svg";

// What the page says when even the computation could not be started: the
// description's sentence in each language, written in when the page was put
// together.
const LOAD_FAILURE = @LOAD_FAILURE@;

// On the site, one web app manifest per language, by its code; none in the
// single file.
const MANIFESTS = @MANIFESTS@;

// The service worker of the site folder, beside the page, and the one
// Trusted Types policy that the site's security policy lets vouch for it.
const SERVICE_WORKER = "service-worker.js";
const WORKER_POLICY = "@WORKER_POLICY@";

function cssColour(rgb) {
  return `rgb(${rgb.join(", ")})`;
}

// The one table from the description's colour roles to the page's colours:
// the classic light scheme's values, which the description gives. Not the
// browser's system colours, which differ from engine to engine (one of them
// gives button text 80 % opaque); a high-contrast mode still replaces them
// with the user's own colours.
function roleColour(colour, design) {
  return cssColour(colour.system ? design.classicColours[colour.system] : colour.rgb);
}

function element(tag, className) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  return e;
}

// Lengths in the description's pixels, as custom properties that the style
// sheet scales and chooses from.
function setPixels(e, prefix, names, values) {
  names.forEach((name, i) => e.style.setProperty(`--${prefix}-${name}`, values[i]));
}

// Every control has two places, as the description gives them: in the
// designed window and in the compact column. The style sheet shows the one
// that fits the screen.
function place(e, control, design) {
  const sides = ["left", "top", "width", "height"];
  setPixels(e, "designed", sides, control.pixels);
  if (control.compact) setPixels(e, "compact", sides, control.compact);
  e.style.backgroundColor = roleColour(control.background, design);
  e.style.color = roleColour(control.foreground, design);
  if (control.centred) e.style.textAlign = "center";
  e.dataset.control = control.name;
  e.dataset.role = control.role;
  e.hidden = !control.visible;
  // Reached with Tab or not, as the description says, whatever the browser's
  // own rule for each kind of element.
  if (control.takesFocus) e.tabIndex = 0;
  else if (e.tabIndex >= 0) e.tabIndex = -1;
}

// What a control shows and says in the page's language: a button's or a
// label's caption, its tooltip, and what a screen reader reads. A vertex
// box's text is the lesson's, and stays.
function labelControl(e, control, tr) {
  if (control.widget === "button" || control.widget === "caption") e.textContent = tr(control.text);
  if (control.tooltip) e.title = tr(control.tooltip);
  if (control.accessibleName) e.setAttribute("aria-label", tr(control.accessibleName));
  if (control.accessibleDescription) e.setAttribute("aria-description", tr(control.accessibleDescription));
}

function vertexBox(control) {
  const box = element("input", "control vertex");
  box.type = "text";
  box.readOnly = true;
  box.value = control.text;
  box.spellcheck = false;
  box.autocomplete = "off";
  return box;
}

function hiddenText(control) {
  const area = element("textarea", "control");
  area.value = control.text;
  return area;
}

// Select all selects the element's text, as in a text box.
function selectAllWithin(e) {
  e.addEventListener("keydown", (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || event.key.toLowerCase() !== "a") return;
    event.preventDefault();
    const range = document.createRange();
    range.selectNodeContents(e);
    const selection = window.getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
  });
}

// The log scrolls to its newest line once per frame, however many checks
// came in meanwhile, so a burst of clicks lays the page out once. A log that
// shows its newest line keeps showing it when its size changes: a phone
// turned, the other arrangement chosen.
function keepNewestLineInView(log) {
  let pending = false;
  let atEnd = false;
  log.addEventListener("scroll", () => {
    atEnd = log.scrollHeight - log.clientHeight - log.scrollTop <= 1;
  }, { passive: true });
  new ResizeObserver(() => {
    if (atEnd) log.scrollTop = log.scrollHeight;
  }).observe(log);
  return () => {
    if (pending) return;
    pending = true;
    requestAnimationFrame(() => {
      pending = false;
      log.scrollTop = log.scrollHeight;
    });
  };
}

// Lines go into blocks of LINES_PER_BLOCK, so that a new line makes the
// browser lay out one block and the list of blocks, not every line.
const LINES_PER_BLOCK = 100;

function writeLines(log, text, lineClass) {
  // The log's lines end in CR LF; the last piece after the last one is empty.
  const lines = text.split("\r\n");
  lines.pop();
  for (const line of lines) {
    let block = log.lastElementChild;
    if (!block || block.childElementCount >= LINES_PER_BLOCK || !block.classList.contains(lineClass)) {
      block = element("div", `block ${lineClass}`);
      log.append(block);
    }
    const row = element("div", "line");
    row.textContent = line;
    block.append(row);
  }
  return lines.length;
}

// The log: its lines in blocks, so that the browser lays out only the
// blocks in view. Screen readers hear each new line.
// What it shows first is the load state's help text, which keeps a look of
// its own; every later text is the run's changes.
function logBox() {
  const log = element("div", "control log");
  log.setAttribute("role", "log");
  log.setAttribute("aria-live", "polite");
  selectAllWithin(log);
  const scrollToNewestLine = keepNewestLineInView(log);
  let lineClass = "help";
  log.replaceText = (text) => {
    // In another language the log keeps its look: the help text stays the help text.
    const look = log.relabelling && log.firstElementChild ? log.firstElementChild.classList[1] : lineClass;
    log.replaceChildren();
    writeLines(log, text, look);
    lineClass = "changes";
  };
  log.appendText = (text) => {
    if (writeLines(log, text, lineClass)) scrollToNewestLine();
  };
  return log;
}

function option(text) {
  const e = element("div", "option");
  e.setAttribute("role", "option");
  e.textContent = text;
  return e;
}

// A hidden list of values: never shown, only kept up to date.
function hiddenList() {
  const list = element("div", "control list");
  list.setAttribute("role", "listbox");
  list.setEntries = (entries) => list.replaceChildren(...entries.map(option));
  list.setEntry = (entry, text) => {
    list.children[entry].textContent = text;
  };
  return list;
}

// The keys of a listbox: the arrows, Home and End move the choice; Space and
// Ctrl+Space choose, never take the choice away.
function listKeys(list, count) {
  list.addEventListener("keydown", (event) => {
    const selected = list.selectedRow();
    const moves = { ArrowDown: selected + 1, ArrowUp: selected - 1, Home: 0, End: count - 1, " ": selected };
    if (!(event.key in moves) || event.altKey) return;
    event.preventDefault();
    list.select(Math.max(0, Math.min(count - 1, moves[event.key])));
  });
}

// A single-choice list box that always keeps exactly one entry selected.
function choiceList(control) {
  const list = element("div", "control list choice");
  list.setAttribute("role", "listbox");
  list.style.setProperty("--rows", control.entries.length);
  const options = control.entries.map((text, row) => {
    const e = option(text);
    e.id = `${control.array}-${control.index}-${row}`;
    e.setAttribute("aria-selected", "false");
    list.append(e);
    return e;
  });
  let selected = -1;
  list.select = (row) => {
    if (row < 0 || row >= options.length) return;
    if (selected >= 0) options[selected].setAttribute("aria-selected", "false");
    selected = row;
    options[row].setAttribute("aria-selected", "true");
    list.setAttribute("aria-activedescendant", options[row].id);
  };
  list.selectedRow = () => selected;
  list.addEventListener("mousedown", (event) => {
    list.select(options.indexOf(event.target.closest("[role=option]")));  // below the last entry: kept
  });
  listKeys(list, options.length);
  return list;
}

function commandButton(control, design, onClick) {
  const button = element("button", "control button");
  button.type = "button";
  button.textContent = control.text;
  button.addEventListener("click", onClick);
  return button;
}

function label(control) {
  const caption = element("div", "control label");
  caption.textContent = control.text;
  return caption;
}

function svgElement(tag, attributes) {
  const e = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
  return e;
}

// One edge of the cube, through the pixels' centres, so that a one-pixel
// line covers whole pixels.
function edgeLine(drawing, edge) {
  const [fromX, fromY] = drawing.corners[edge.from];
  const [toX, toY] = drawing.corners[edge.to];
  const line = svgElement("line", {
    x1: fromX + 0.5, y1: fromY + 0.5, x2: toX + 0.5, y2: toY + 0.5, stroke: "currentColor", "stroke-width": 1,
  });
  if (edge.dashed) line.setAttribute("stroke-dasharray", `${drawing.dashLength} ${drawing.dashGap}`);
  else line.setAttribute("stroke-linecap", "square");
  return line;
}

// The cube drawing as lines, sharp at any zoom. Its colours come from the
// style sheet, so that a high-contrast mode draws it in the user's colours.
function cubeDrawing(drawing) {
  const { width, height } = drawing;
  const svg = svgElement("svg", {
    width, height, viewBox: `0 0 ${width} ${height}`, "aria-hidden": "true", "shape-rendering": "crispEdges",
  });
  svg.append(svgElement("rect", { class: "paper", width, height }));
  for (const edge of drawing.edges) svg.append(edgeLine(drawing, edge));
  return svg;
}

function pictureBox(control, design) {
  const picture = element("div", "control picture");
  picture.setAttribute("role", "img");
  picture.append(cubeDrawing(design.drawing));
  return picture;
}

// What a screen reader says unasked that the log does not say: a polite
// status, drawn nowhere. The log, a live region itself, says each new line.
function announcer() {
  const status = element("div", "announcement");
  status.setAttribute("role", "status");
  status.setAttribute("aria-live", "polite");
  return status;
}

// The button stays the default, as in a desktop message box: Enter closes
// the box wherever the focus went after a click (its text, its backdrop).
// Taken before anything else sees it, so that no button behind gets the key.
function enterCloses(dialog) {
  document.addEventListener("keydown", (event) => {
    if (!dialog.open || event.key !== "Enter" || event.altKey || event.ctrlKey || event.metaKey) return;
    event.preventDefault();
    event.stopPropagation();
    dialog.close();
  }, true);
}

// The error message box of the desktop: modal, with its title and one button.
function messageBox(design) {
  const dialog = element("dialog", "message");
  const heading = element("h1");
  heading.id = "message-title";
  const text = element("p");
  text.id = "message-text";
  const ok = element("button");
  ok.type = "button";
  ok.addEventListener("click", () => dialog.close());
  enterCloses(dialog);
  dialog.setAttribute("aria-labelledby", heading.id);
  dialog.setAttribute("aria-describedby", text.id);
  dialog.append(heading, text, ok);
  let returnFocus = null;
  dialog.addEventListener("close", () => returnFocus?.focus());
  dialog.relabel = (tr) => { ok.textContent = tr(design.messages.button); };
  dialog.tell = (title, message) => {
    heading.textContent = title;
    text.textContent = message;
    if (dialog.open) return;
    returnFocus = document.activeElement;
    dialog.showModal();
    ok.focus();
  };
  return dialog;
}

// The widget each control becomes; the description says which one it is.
const WIDGETS = {
  vertexBox,
  logBox,
  choiceList,
  hiddenList,
  hiddenText,
  button: commandButton,
  caption: label,
  picture: pictureBox,
};

// The controls, one widget per row of the description. The stacking order
// runs front to back; labels lie on the window's surface, behind every other
// control.
function makeWidgets(design, click, tr) {
  const count = design.controls.length;
  return design.controls.map((control, row) => {
    const e = WIDGETS[control.widget](control, design, () => click(control.index));
    place(e, control, design);
    labelControl(e, control, tr);
    e.style.zIndex = control.widget === "caption" ? 0 : count - row;
    return e;
  });
}

// The row of the control with this name.
function rowOf(design, name) {
  return design.controls.findIndex((c) => c.name === name);
}

// The arrangement the style sheet chose for the screen, as it names it.
function arrangementOf(root) {
  return getComputedStyle(root).getPropertyValue("--arrangement").trim();
}

// The document's order is the order of Tab and of a screen reader's reading:
// the arrangement's tab order, then the controls Tab never reaches. A moved
// control keeps the focus (moveBefore keeps it where the browser has it; else
// it is given back).
function orderDocument(root, widgets, design, arrangement, end) {
  const rows = design.window.tabOrder[arrangement].map((name) => rowOf(design, name));
  const rest = widgets.map((_, row) => row).filter((row) => !rows.includes(row));
  const order = [...rows, ...rest].map((row) => widgets[row]);
  if (order.every((e, i) => root.children[i] === e)) return;
  const focused = document.activeElement;
  for (const e of order) {
    if (root.moveBefore) root.moveBefore(e, end);
    else root.insertBefore(e, end);
  }
  if (focused !== document.activeElement) focused?.focus({ preventScroll: true });
}

// Whenever the window changes its size the arrangement may have changed with
// it: the document follows.
function followArrangement(root, widgets, design, end) {
  let shown = "";
  const follow = () => {
    const arrangement = arrangementOf(root);
    if (arrangement === shown) return;
    shown = arrangement;
    orderDocument(root, widgets, design, arrangement, end);
  };
  follow();
  new ResizeObserver(follow).observe(root);
  return () => shown;
}

// A setter answers false, or null where it gives a value, when it fails:
// an exception would not unwind the WebAssembly that called it.
function guarded(setters) {
  const guard = (setter) => (...args) => {
    try {
      return setter(...args) ?? true;
    } catch {
      return null;
    }
  };
  return Object.fromEntries(Object.entries(setters).map(([name, setter]) => [name, guard(setter)]));
}

// The Screen the lesson's presenter draws on: rows are the description's.
function screenSetters(widgets, status, dialog) {
  const methods = widgets.find((e) => e.selectedRow);
  const log = widgets.find((e) => e.appendText);
  return guarded({
    setText: (row, text) => { widgets[row].value = text; },
    setEntries: (row, entries) => widgets[row].setEntries(entries),
    setEntry: (row, entry, text) => widgets[row].setEntry(entry, text),
    chosenRow: () => methods.selectedRow(),
    choose: (row) => methods.select(row),
    replaceLog: (text) => log.replaceText(text),
    appendLog: (text) => log.appendText(text),
    say: (text) => { status.textContent = text; },
    showMessage: (title, text) => dialog.tell(title, text),
  });
}

// No script error reaches a pupil as such: whatever fails, the message box
// says so, in the page's language at the time.
function tellEveryFailure(design, core, dialog, language) {
  const tell = (event) => {
    event.preventDefault();
    const tr = translator(core, language());
    dialog.tell(tr(design.window.title), tr(design.messages.unexpected));
  };
  window.addEventListener("error", tell);
  window.addEventListener("unhandledrejection", tell);
}

// The page's languages.

// A Bulgarian text of the description in the language (its place in the
// description's languages): the catalogue's translation, or the text itself,
// from the table the computation carries.
function translator(core, language) {
  return (text) => core.translate(language, text);
}

// The language the page's address asks for (?lang=uk), or null.
function askedLanguage() {
  return new URLSearchParams(location.search).get("lang");
}

function browserLanguages() {
  return Array.from(navigator.languages?.length ? navigator.languages : [navigator.language || ""]);
}

// The language the page speaks, by the description's rule, which the
// computation carries: the one the address asks for, else the first of the
// browser's languages that has a catalogue, else Bulgarian. A code the page
// does not know is said in the console and passed over.
function chosenLanguage(core) {
  const asked = askedLanguage();
  if (asked !== null) {
    const found = core.findLanguage(asked);
    if (found >= 0) return found;
    console.warn(`Trezolin speaks no language "${asked}": going on in the browser's language.`);
  }
  return core.preferredLanguage(browserLanguages());
}

// Where the computation could not start, the load failure's sentence in the
// language asked for or the browser's, by the language subtag alone.
function loadFailureText() {
  const tags = [askedLanguage() || "", ...browserLanguages()];
  const code = tags.map((tag) => tag.toLowerCase().split(/[-_]/)[0]).find((c) => c in LOAD_FAILURE);
  return { code: code || "bg", text: LOAD_FAILURE[code || "bg"] };
}

// The page's own texts around the window, as the file holds them in
// Bulgarian; each is shown in the language from these.
function pageTexts(design) {
  const summary = document.querySelector('meta[name="description"]');
  const licence = document.getElementById("licence");
  return {
    summary, licence, summaryText: summary.content, licenceText: licence.textContent,
    label: document.getElementById("language-label"), labelText: design.page.languageLabel,
    choices: Array.from(document.querySelectorAll("[data-language]")),
    manifest: document.querySelector('link[rel="manifest"]'),
  };
}

// The page in the language: its own texts, its manifest, the chooser's
// choice, and the language a screen reader reads it in.
function showPageIn(design, core, texts, language) {
  const tr = translator(core, language);
  const code = design.languages[language].code;
  document.documentElement.lang = code;
  document.title = tr(design.window.title);
  texts.summary.content = tr(texts.summaryText);
  texts.licence.textContent = tr(texts.licenceText);
  texts.label.textContent = tr(texts.labelText);
  for (const choice of texts.choices) {
    if (choice.dataset.language === code) choice.setAttribute("aria-current", "true");
    else choice.removeAttribute("aria-current");
  }
  if (texts.manifest && MANIFESTS[code]) texts.manifest.href = MANIFESTS[code];
}

// The chooser under the window: a choice goes on with the run in the other
// language, and goes into the address, so that a bookmark or a teacher's
// link keeps it. Each choice is a link to that address, which works as
// well where the page is opened anew.
function offerLanguages(design, core, texts, lesson, widgets, dialog, language) {
  const log = widgets.find((e) => e.appendText);
  const speak = (next) => {
    const tr = translator(core, next);
    const atEnd = log.scrollHeight - log.clientHeight - log.scrollTop <= 1;
    // The log's lines written anew in the other language are no news for a screen reader.
    log.setAttribute("aria-live", "off");
    log.relabelling = true;
    language.set(next);
    try {
      lesson.setLanguage(next);
    } finally {
      log.relabelling = false;
    }
    design.controls.forEach((control, row) => labelControl(widgets[row], control, tr));
    dialog.relabel(tr);
    showPageIn(design, core, texts, next);
    if (atEnd) log.scrollTop = log.scrollHeight;
    requestAnimationFrame(() => requestAnimationFrame(() => log.setAttribute("aria-live", "polite")));
    const address = new URL(location.href);
    address.searchParams.set("lang", design.languages[next].code);
    history.replaceState(history.state, "", address);
  };
  for (const choice of texts.choices) {
    choice.addEventListener("click", (event) => {
      if (event.button !== 0 || event.ctrlKey || event.metaKey || event.shiftKey || event.altKey) return;
      event.preventDefault();
      const next = design.languages.findIndex((l) => l.code === choice.dataset.language);
      if (next >= 0 && next !== language.get()) speak(next);
    });
  }
}

// The window's own sizes, font and colours are in the style sheet, written
// there from the description when the page was put together: the window
// stands in its place from the first paint, and filling it moves nothing.
function buildWindow(root, design, core) {
  let current = chosenLanguage(core);
  const language = { get: () => current, set: (next) => { current = next; } };
  const texts = pageTexts(design);
  showPageIn(design, core, texts, current);
  let lesson = null;
  const widgets = makeWidgets(design, (index) => lesson.click(index), translator(core, current));
  const dialog = messageBox(design);
  dialog.relabel(translator(core, current));
  const status = announcer();
  // Inside the window, so that their text is as large as the window's.
  root.replaceChildren(...widgets, dialog, status);
  const arrangement = followArrangement(root, widgets, design, dialog);
  lesson = new core.Lesson(screenSetters(widgets, status, dialog), current);
  lesson.load();
  offerLanguages(design, core, texts, lesson, widgets, dialog, language);
  // The focus on the first control in tab order, without scrolling: a pupil starts at the top.
  widgets[rowOf(design, design.window.tabOrder[arrangement()][0])].focus({ preventScroll: true });
  tellEveryFailure(design, core, dialog, language.get);
  root.dataset.ready = "true";
  performance.mark("trezolin-ready");
}

// Served from a school's site, with its manifest, the page keeps itself for
// the next visit with no network. Opened from a file it has no worker, and
// works as well without one.
function keepForOffline() {
  if (!document.querySelector('link[rel="manifest"]') || !("serviceWorker" in navigator)) return;
  navigator.serviceWorker.register(workerAddress()).catch(() => {});
}

// Where the page's security policy requires Trusted Types, the worker's
// address must come from a policy; this one vouches for that one fixed
// address and refuses any other. A browser without Trusted Types takes the
// plain text.
function workerAddress() {
  if (!globalThis.trustedTypes) return SERVICE_WORKER;
  const policy = trustedTypes.createPolicy(WORKER_POLICY, {
    createScriptURL: (url) => {
      if (url !== SERVICE_WORKER) throw new TypeError(`not the page's worker: ${url}`);
      return url;
    },
  });
  return policy.createScriptURL(SERVICE_WORKER);
}

function wasmBytes() {
  const text = document.getElementById("core-wasm").textContent.trim();
  // Decoded by the browser in one go where it can, else byte by byte.
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

function nextTask() {
  return new Promise((resolve) => setTimeout(resolve, 0));
}

async function start() {
  const root = document.getElementById("window");
  try {
    // The computation comes from this file itself: nothing is fetched.
    const core = await globalThis.createTrezolinCore({ wasmBinary: wasmBytes() });
    // Each step a task of its own, so that none holds up a pupil's first tap for long.
    await nextTask();
    buildWindow(root, JSON.parse(document.getElementById("description").textContent), core);
    await nextTask();
    keepForOffline();
  } catch (error) {
    const notice = element("p", "notice");
    const failure = loadFailureText();
    notice.lang = failure.code;
    notice.textContent = failure.text;
    root.replaceChildren(notice);
    root.dataset.ready = "failed";
  }
}

start();
