// Trezolin's page: the window of the desktop program, built from the same
// description and driven by the same computation, compiled to WebAssembly.
// The page only shows what the computation returns; it computes nothing.

const SVG = "http://www.w3.org/2000/svg";

// What the page says when even the computation could not be started.
const LOAD_FAILURE = "Trezolin не може да се стартира в този браузър. Опитайте с по-нов браузър.";

// The desktop's colour roles, as the browser's own system colours.
const SYSTEM_COLOURS = {
  Window: "Field",
  WindowText: "FieldText",
  ButtonFace: "ButtonFace",
  ButtonText: "ButtonText",
};

function cssColour(colour) {
  return colour.system ? SYSTEM_COLOURS[colour.system] : `rgb(${colour.rgb.join(", ")})`;
}

function element(tag, className) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  return e;
}

// Every control stands at its place in pixels; the description is in twips.
function place(e, control, twipsPerPixel) {
  e.style.left = `${Math.trunc(control.left / twipsPerPixel)}px`;
  e.style.top = `${Math.trunc(control.top / twipsPerPixel)}px`;
  e.style.width = `${Math.trunc(control.width / twipsPerPixel)}px`;
  e.style.height = `${Math.trunc(control.height / twipsPerPixel)}px`;
  e.style.backgroundColor = cssColour(control.background);
  e.style.color = cssColour(control.foreground);
  if (control.centred) e.style.textAlign = "center";
  e.dataset.control = `${control.array}(${control.index})`;
  if (control.tooltip) e.title = control.tooltip;
  if (control.accessibleName) e.setAttribute("aria-label", control.accessibleName);
  if (control.accessibleDescription) e.setAttribute("aria-description", control.accessibleDescription);
  e.hidden = !control.visible;
}

function textBox(control) {
  if (!control.multiLine) {
    const box = element("input", "control vertex");
    box.type = "text";
    box.readOnly = control.locked;
    box.value = control.text;
    box.spellcheck = false;
    box.autocomplete = "off";
    return box;
  }
  if (!control.locked) {
    const area = element("textarea", "control");
    area.value = control.text;
    return area;
  }
  return logBox();
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

// A single-choice list box that always keeps exactly one entry selected.
function listBox(control) {
  const list = element("div", "control list");
  list.setAttribute("role", "listbox");
  const options = control.entries.map((text, row) => {
    const option = element("div", "option");
    option.setAttribute("role", "option");
    option.id = `${control.array}-${control.index}-${row}`;
    option.textContent = text;
    option.setAttribute("aria-selected", "false");
    option.dataset.value = "0";
    list.append(option);
    return option;
  });
  if (!control.visible || options.length === 0) return list;

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

function commandButton(control, onClick) {
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
  const background = document.createElementNS(SVG, "rect");
  background.setAttribute("width", drawing.width);
  background.setAttribute("height", drawing.height);
  background.setAttribute("fill", "white");
  svg.append(background);
  for (const edge of drawing.edges) {
    const from = drawing.corners[edge.from];
    const to = drawing.corners[edge.to];
    const line = document.createElementNS(SVG, "line");
    // Through the pixels' centres, so that a one-pixel line covers whole pixels.
    line.setAttribute("x1", from.x + 0.5);
    line.setAttribute("y1", from.y + 0.5);
    line.setAttribute("x2", to.x + 0.5);
    line.setAttribute("y2", to.y + 0.5);
    line.setAttribute("stroke", "black");
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

function pictureBox(drawing) {
  const picture = element("div", "control picture");
  picture.setAttribute("role", "img");
  picture.tabIndex = 0;
  picture.append(cubeDrawing(drawing));
  return picture;
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

function buildWindow(root, design, session) {
  const tw = design.twipsPerPixel;
  const win = design.window;
  document.title = win.title;
  root.style.width = `${win.clientWidth / tw}px`;
  root.style.height = `${win.clientHeight / tw}px`;
  root.style.backgroundColor = cssColour(win.background);
  root.style.fontWeight = win.fontWeight;
  root.style.fontSize = `${win.fontPoints}pt`;
  root.style.fontFamily = `"${win.fontFamily}", "Liberation Serif", serif`;

  const controls = {};
  const byName = (array, index) => controls[`${array}(${index})`];
  const onCommand = (index) => () => runCommand(index);

  // The stacking order runs front to back; the document follows the tab order.
  const count = design.controls.length;
  design.controls.forEach((control, position) => {
    let e;
    switch (control.kind) {
      case "TextBox": e = textBox(control); break;
      case "ListBox": e = listBox(control); break;
      case "CommandButton": e = commandButton(control, onCommand(control.index)); break;
      case "Label": e = label(control); break;
      default: e = pictureBox(design.drawing); break;
    }
    place(e, control, tw);
    // Labels lie on the window's surface, behind every other control.
    e.style.zIndex = control.kind === "Label" ? 0 : count - position;
    e.dataset.tabIndex = control.tabIndex;
    controls[e.dataset.control] = e;
  });
  const inTabOrder = Object.values(controls).sort((a, b) => a.dataset.tabIndex - b.dataset.tabIndex);
  root.replaceChildren(...inTabOrder);

  const dialog = messageBox(win.title);
  document.body.append(dialog);

  const log = byName("Text1", 0);
  const methods = byName("List1", 2);
  const cube = (array) => Array.from({ length: 8 }, (_, i) => byName(array, i));
  const left = cube("Wryh_N");
  const right = cube("Wryh_k");

  // The hidden lists hold eight entries nearly always: rename in place rather than rebuild.
  function showEntries(list, entries) {
    if (list.childElementCount !== entries.length) {
      list.replaceChildren(...entries.map(() => {
        const option = element("div", "option");
        option.setAttribute("role", "option");
        return option;
      }));
    }
    entries.forEach((text, i) => {
      const option = list.children[i];
      if (option.textContent !== text) option.textContent = text;
    });
  }

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
    view.left.forEach((text, i) => { if (left[i].value !== text) left[i].value = text; });
    view.right.forEach((text, i) => { if (right[i].value !== text) right[i].value = text; });
    showEntries(byName("List1", 0), view.previous);
    showEntries(byName("List1", 1), view.current);
    appendLog(view.log, view.logReplaced, lineClass);
  }

  function runCommand(index) {
    let message = "";
    try {
      const result = session.command(index, methods.selectedRow());
      show(result);
      message = result.error;
    } catch (error) {
      message = design.unexpectedError;
    }
    if (message) dialog.tell(message);
  }

  // The load state: the help text from its first line, "Round" chosen, the
  // focus on the first picture.
  show(session.view(), "help");
  methods.select(0);
  byName("Picture1", 0).focus();

  // No script error reaches a pupil as such: whatever fails, the message box says so.
  window.addEventListener("error", (event) => {
    event.preventDefault();
    dialog.tell(design.unexpectedError);
  });
  window.addEventListener("unhandledrejection", (event) => {
    event.preventDefault();
    dialog.tell(design.unexpectedError);
  });
  root.dataset.ready = "true";
  performance.mark("trezolin-ready");
}

function wasmBytes() {
  const text = document.getElementById("core-wasm").textContent.trim();
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

async function start() {
  const root = document.getElementById("window");
  try {
    // The computation comes from this file itself: nothing is fetched.
    const core = await globalThis.createTrezolinCore({ wasmBinary: wasmBytes() });
    buildWindow(root, core.design(), new core.Session());
  } catch (error) {
    const notice = element("p", "notice");
    notice.textContent = LOAD_FAILURE;
    root.replaceChildren(notice);
    root.dataset.ready = "failed";
  }
}

start();
