// Combo boxes: a drop-down list, with an edit part or without.

// The ARIA combobox pattern: a text field with a list that opens below it,
// its highlighted option told to assistive technology by
// aria-activedescendant. As in Win32, typing leaves no item selected and
// says nothing; picking an item writes it into the field and notifies.
function makeCombo(win, control, style, x, y, width) {
    const box = document.createElement("div");
    box.className = "combo";
    const input = document.createElement("input");
    input.type = "text";
    input.spellcheck = false;
    input.autocomplete = "off";
    input.setAttribute("role", "combobox");
    input.setAttribute("aria-autocomplete", "none");
    input.setAttribute("aria-expanded", "false");
    input.readOnly = (style & CBS_DROPDOWNLIST) === CBS_DROPDOWNLIST;
    const arrow = document.createElement("span");
    arrow.className = "arrow";
    arrow.setAttribute("aria-hidden", "true");
    const list = document.createElement("ul");
    list.className = "list";
    list.setAttribute("role", "listbox");
    list.id = `lamino-list-${control.handle}`;
    list.hidden = true;
    input.setAttribute("aria-controls", list.id);
    box.append(input, arrow, list);
    control.focusTarget = input;
    control.list = list;
    control.items = [];
    control.current = -1;
    control.highlight = -1;
    input.addEventListener("input", () => {
        setCurrent(control, -1, false);
    });
    input.addEventListener("blur", () => closeList(control));
    arrow.addEventListener("mousedown", (event) => {
        event.preventDefault();  // the field keeps (or takes) the focus
        input.focus({ preventScroll: true });
        if (list.hidden) openList(control);
        else closeList(control);
    });
    list.addEventListener("mousedown", (event) => event.preventDefault());
    list.addEventListener("click", (event) => {
        const option = event.target.closest("[role=option]");
        if (option) pick(control, Number(option.dataset.index));
    });
    // The template's height takes in the drop-down list; the box itself is one line high.
    place(box, x, y, width, win.lineHeight + 8);
    return box;
}

controlKinds.ComboBox = {
    name: "combo",
    create: makeCombo,
    text(control) {
        return control.focusTarget.value;
    },
    setText(control, value) {
        control.focusTarget.value = value;
        control.focusTarget.setSelectionRange(0, 0);
    },
};

function setCurrent(control, index, writeText) {
    control.current = index;
    control.box.dataset.current = String(index);
    control.list.querySelectorAll("[role=option]").forEach((option, i) =>
        option.setAttribute("aria-selected", String(i === index)));
    if (writeText) control.focusTarget.value = index >= 0 ? control.items[index] : "";
}

function fillList(control) {
    while (control.list.firstChild) control.list.firstChild.remove();
    control.list.append(...control.items.map((item, i) => {
        const option = document.createElement("li");
        option.setAttribute("role", "option");
        option.id = `${control.list.id}-${i}`;
        option.dataset.index = String(i);
        option.textContent = item;
        option.setAttribute("aria-selected", String(i === control.current));
        return option;
    }));
}

function openList(control) {
    if (!control.list.hidden) return;
    control.list.hidden = false;
    control.focusTarget.setAttribute("aria-expanded", "true");
    highlight(control, control.current);
}

function closeList(control) {
    if (control.list.hidden) return;
    control.list.hidden = true;
    control.focusTarget.setAttribute("aria-expanded", "false");
    control.focusTarget.removeAttribute("aria-activedescendant");
}

function highlight(control, index) {
    control.highlight = index;
    control.list.querySelectorAll("[role=option]").forEach((option, i) =>
        option.classList.toggle("highlight", i === index));
    if (index >= 0) control.focusTarget.setAttribute("aria-activedescendant", `${control.list.id}-${index}`);
    else control.focusTarget.removeAttribute("aria-activedescendant");
}

// The user's choice of an item: written into the field, all of it
// selected (as Windows shows a pick), then CBN_SELCHANGE.
function pick(control, index) {
    closeList(control);
    if (index < 0 || index >= control.items.length) return;
    setCurrent(control, index, true);
    if (document.activeElement === control.focusTarget) control.focusTarget.select();
    notify(windowOf(control), control.id, CBN_SELCHANGE);
}


// Keys of a drop-down combo: Alt+Down or F4 open the list; in the open
// list the arrows move the highlight, Enter picks, Esc closes. With the
// list closed the arrows pick the next or previous item, as in Win32.
function comboKey(control, event) {
    const key = keyName(event);
    const open = !control.list.hidden;
    if ((key === "ArrowDown" && event.altKey) || (key === "F4" && !event.altKey)) {
        if (open) closeList(control);
        else openList(control);
        return true;
    }
    if (event.altKey || event.ctrlKey) return false;
    if (open) {
        if (key === "ArrowDown" || key === "ArrowUp") {
            const step = key === "ArrowDown" ? 1 : -1;
            const start = control.highlight < 0 ? (step > 0 ? -1 : control.items.length) : control.highlight;
            highlight(control, Math.max(0, Math.min(control.items.length - 1, start + step)));
            return true;
        }
        if (key === "Enter") {
            pick(control, control.highlight);
            return true;
        }
        if (key === "Escape") {
            closeList(control);
            return true;
        }
        if (key === "Tab") closeList(control);
        return false;
    }
    if (key === "ArrowDown" || key === "ArrowUp") {
        const index = control.current < 0 ? 0
            : Math.max(0, Math.min(control.items.length - 1, control.current + (key === "ArrowDown" ? 1 : -1)));
        if (index !== control.current && control.items.length > 0) pick(control, index);
        return true;
    }
    return false;
}
