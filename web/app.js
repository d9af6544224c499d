// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Trezolin's page: the window of the desktop program, built from the same
// description and driven by the same computation, compiled to WebAssembly.
// The page only shows what the computation returns; it computes nothing.

const SVG = "http://www.w3.org/2000/svg";

// What the page says when even the computation could not be started.
const LOAD_FAILURE = "Trezolin не може да се стартира в този браузър. Опитайте с по-нов браузър.";

// The desktop's colour roles in the classic light scheme. Fixed values, not
// the browser's system colours, which differ from engine to engine (one of
// them gives button text 80 % opaque); a high-contrast mode still replaces
// them with the user's own colours.
const SYSTEM_COLOURS = {
  Window: "#ffffff",
  WindowText: "#000000",
  ButtonFace: "#f0f0f0",
  ButtonText: "#000000",
};

// The service worker of the site folder, beside the page, and the one
// Trusted Types policy that the site's security policy lets vouch for it.
const SERVICE_WORKER = "service-worker.js";
const WORKER_POLICY = "@WORKER_POLICY@";

function cssColour(colour) {
  return colour.system ? SYSTEM_COLOURS[colour.system] : `rgb(${colour.rgb.join(", ")})`;
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
function place(e, control) {
  const sides = ["left", "top", "width", "height"];
  setPixels(e, "designed", sides, control.pixels);
  if (control.compact) setPixels(e, "compact", sides, control.compact);
  e.style.backgroundColor = cssColour(control.background);
  e.style.color = cssColour(control.foreground);
  if (control.centred) e.style.textAlign = "center";
  e.dataset.control = control.name;
  e.dataset.role = control.role;
  if (control.tooltip) e.title = control.tooltip;
  if (control.accessibleName) e.setAttribute("aria-label", control.accessibleName);
  if (control.accessibleDescription) e.setAttribute("aria-description", control.accessibleDescription);
  e.hidden = !control.visible;
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

// The log: one block per line, so that a check adds one block and the
// browser lays out only the lines in view. Screen readers hear each new line.
function logBox() {
  const log = element("div", "control log");
  log.setAttribute("role", "log");
  log.setAttribute("aria-live", "polite");
  log.tabIndex = 0;
  // Select all selects the log's text, as in a text box.
  log.addEventListener("keydown", (event) => {
    if ((event.ctrlKey || event.metaKey) && !event.altKey && event.key.toLowerCase() === "a") {
      event.preventDefault();
      const range = document.createRange();
      range.selectNodeContents(log);
      const selection = window.getSelection();
      selection.removeAllRanges();
      selection.addRange(range);
    }
  });
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
  // The lists hold eight entries nearly always: rename in place rather than rebuild.
  list.show = (entries) => {
    if (list.childElementCount !== entries.length) list.replaceChildren(...entries.map(option));
    entries.forEach((text, i) => {
      if (list.children[i].textContent !== text) list.children[i].textContent = text;
    });
  };
  return list;
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
    e.dataset.value = "0";
    list.append(e);
    return e;
  });
  list.tabIndex = 0;
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
    const row = options.indexOf(event.target.closest("[role=option]"));
    list.select(row);  // a click below the last entry keeps the choice
  });
  list.addEventListener("keydown", (event) => {
    const moves = {
      ArrowDown: selected + 1,
      ArrowUp: selected - 1,
      Home: 0,
      End: options.length - 1,
      " ": selected,  // Space and Ctrl+Space choose, never take the choice away
    };
    if (!(event.key in moves) || event.altKey) return;
    event.preventDefault();
    list.select(Math.max(0, Math.min(options.length - 1, moves[event.key])));
  });
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

// The cube drawing as lines, sharp at any zoom.
function cubeDrawing(drawing) {
  const svg = document.createElementNS(SVG, "svg");
  svg.setAttribute("width", drawing.width);
  svg.setAttribute("height", drawing.height);
  svg.setAttribute("viewBox", `0 0 ${drawing.width} ${drawing.height}`);
  svg.setAttribute("aria-hidden", "true");
  svg.setAttribute("shape-rendering", "crispEdges");
  // Its colours come from the style sheet, so that a high-contrast mode
  // draws it in the user's colours.
  const background = document.createElementNS(SVG, "rect");
  background.setAttribute("class", "paper");
  background.setAttribute("width", drawing.width);
  background.setAttribute("height", drawing.height);
  svg.append(background);
  for (const edge of drawing.edges) {
    const [fromX, fromY] = drawing.corners[edge.from];
    const [toX, toY] = drawing.corners[edge.to];
    const line = document.createElementNS(SVG, "line");
    // Through the pixels' centres, so that a one-pixel line covers whole pixels.
    line.setAttribute("x1", fromX + 0.5);
    line.setAttribute("y1", fromY + 0.5);
    line.setAttribute("x2", toX + 0.5);
    line.setAttribute("y2", toY + 0.5);
    line.setAttribute("stroke", "currentColor");
    line.setAttribute("stroke-width", "1");
    if (edge.dashed) {
      line.setAttribute("stroke-dasharray", `${drawing.dashLength} ${drawing.dashGap}`);
    } else {
      line.setAttribute("stroke-linecap", "square");
    }
    svg.append(line);
  }
  return svg;
}

function pictureBox(control, design) {
  const picture = element("div", "control picture");
  picture.setAttribute("role", "img");
  picture.tabIndex = 0;
  picture.append(cubeDrawing(design.drawing));
  return picture;
}

// What a screen reader says unasked that the log does not say: a polite
// status, drawn nowhere. The log, a live region itself, says each new line.
function announcer() {
  const status = element("div", "announcement");
  status.setAttribute("role", "status");
  status.setAttribute("aria-live", "polite");
  status.say = (text) => {
    status.textContent = text;
  };
  return status;
}

// The error message box of the desktop: modal, titled with the window's title.
function messageBox(title) {
  const dialog = element("dialog", "message");
  const heading = element("h1");
  heading.id = "message-title";
  heading.textContent = title;
  const text = element("p");
  text.id = "message-text";
  const ok = element("button");
  ok.type = "button";
  ok.textContent = "OK";
  ok.addEventListener("click", () => dialog.close());
  // OK stays the default, as in a desktop message box: Enter closes the box
  // wherever the focus went after a click (its text, its backdrop). Taken
  // before anything else sees it, so that no button behind gets the key.
  document.addEventListener("keydown", (event) => {
    if (!dialog.open || event.key !== "Enter" || event.altKey || event.ctrlKey || event.metaKey) return;
    event.preventDefault();
    event.stopPropagation();
    dialog.close();
  }, true);
  dialog.setAttribute("aria-labelledby", heading.id);
  dialog.setAttribute("aria-describedby", text.id);
  dialog.append(heading, text, ok);
  let returnFocus = null;
  dialog.addEventListener("close", () => returnFocus?.focus());
  dialog.tell = (message) => {
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

// The window's own sizes, font and colour are in the style sheet, written
// there from the description when the page was put together: the window
// stands in its place from the first paint, and filling it moves nothing.
function buildWindow(root, design, lesson) {
  const win = design.window;
  document.title = win.title;

  const dialog = messageBox(win.title);
  const status = announcer();
  const tell = (error) => dialog.tell(design.messages[error] || design.messages.unexpected);

  let methods = null;
  function click(index) {
    let error = "";
    try {
      const view = lesson.click(index, methods.selectedRow());
      if (view) {
        // The command's error stands even if showing its result fails.
        error = view.error;
        show(view);
      }
    } catch (e) {
      error ||= "unexpected";
    }
    if (error) tell(error);
  }

  // The stacking order runs front to back; the document follows the tab order.
  const count = design.controls.length;
  const byName = {};
  const byRole = {};
  const made = design.controls.map((control, position) => {
    const e = WIDGETS[control.widget](control, design, () => click(control.index));
    place(e, control);
    // Labels lie on the window's surface, behind every other control.
    e.style.zIndex = control.widget === "caption" ? 0 : count - position;
    byName[control.name] = e;
    (byRole[control.role] ??= [])[control.index] = e;
    return [control.tabIndex, e];
  });
  root.replaceChildren(...made.sort((a, b) => a[0] - b[0]).map(([, e]) => e));
  // Inside the window, so that its text is as large as the window's.
  root.append(dialog, status);

  const log = byRole.log.find(Boolean);
  methods = byRole.methodList.find(Boolean);
  const previousValues = byRole.previousValues.find(Boolean);
  const currentValues = byRole.currentValues.find(Boolean);
  const firstCube = byRole.firstCubeVertex;
  const secondCube = byRole.secondCubeVertex;

  // The log scrolls to its newest line once per frame, however many checks
  // came in meanwhile, so a burst of clicks lays the page out once.
  let scrollPending = false;
  function scrollToNewestLine() {
    if (scrollPending) return;
    scrollPending = true;
    requestAnimationFrame(() => {
      scrollPending = false;
      log.scrollTop = log.scrollHeight;
    });
  }

  // A log that shows its newest line keeps showing it when its size changes:
  // a phone turned, the other arrangement chosen.
  let atEnd = false;
  log.addEventListener("scroll", () => {
    atEnd = log.scrollHeight - log.clientHeight - log.scrollTop <= 1;
  }, { passive: true });
  new ResizeObserver(() => {
    if (atEnd) log.scrollTop = log.scrollHeight;
  }).observe(log);

  // Lines go into blocks of LINES_PER_BLOCK, so that a new line makes the
  // browser lay out one block and the list of blocks, not every line.
  const LINES_PER_BLOCK = 100;
  function appendLog(text, replaced, lineClass) {
    if (replaced) log.replaceChildren();
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
    if (lines.length && !replaced) scrollToNewestLine();
  }

  function show(view, lineClass = "changes") {
    view.firstCube.forEach((text, i) => { if (firstCube[i].value !== text) firstCube[i].value = text; });
    view.secondCube.forEach((text, i) => { if (secondCube[i].value !== text) secondCube[i].value = text; });
    previousValues.show(view.previousValues);
    currentValues.show(view.currentValues);
    appendLog(view.logText, view.logReplaced, lineClass);
    // A start's sentence goes to the status; a check's line the log says itself.
    status.say(view.logReplaced ? view.announcement : "");
  }

  // The load state, as the lesson gives it: the help text from its first
  // line and the method chosen; the focus on the first control in tab order.
  show(lesson.show(), "help");
  methods.select(lesson.loadRow());
  // Without scrolling: in the compact column the first control in tab order
  // is far down, and a pupil starts at the top.
  byName[win.firstFocus].focus({ preventScroll: true });

  // No script error reaches a pupil as such: whatever fails, the message box says so.
  window.addEventListener("error", (event) => {
    event.preventDefault();
    tell("unexpected");
  });
  window.addEventListener("unhandledrejection", (event) => {
    event.preventDefault();
    tell("unexpected");
  });
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
    buildWindow(root, JSON.parse(core.description()), new core.Lesson());
    await nextTask();
    keepForOffline();
  } catch (error) {
    const notice = element("p", "notice");
    notice.textContent = LOAD_FAILURE;
    root.replaceChildren(notice);
    root.dataset.ready = "failed";
  }
}

start();
