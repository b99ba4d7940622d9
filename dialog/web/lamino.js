"use strict";
// The browser half of Lamino's dialog layer. The module (lamino.wasm: the
// pages, the main window and dialog/web/) asks for windows and controls
// through the imports below; this script makes them from the page's own
// elements and turns the user's work on them into the notifications a Win32
// dialog receives, raised inside the module through its exports.
(() => {
    // dlg::ControlKind, in its order
    const EDIT = 0, LABEL = 1, ICON = 2, PICTURE = 3, GROUP = 4, RADIO = 5, CHECK = 6, PUSH = 7, COMBO = 8, TABS = 9;
    // Win32's notification codes, command ids and style bits
    const BN_CLICKED = 0, CBN_SELCHANGE = 1, EN_CHANGE = 0x300, TCN_SELCHANGE = -551, IDOK = 1, IDCANCEL = 2;
    const WS_TABSTOP = 0x10000, WS_GROUP = 0x20000, WS_VISIBLE = 0x10000000, ES_READONLY = 0x800;
    const BS_TYPEMASK = 0xF, BS_DEFPUSHBUTTON = 1, SS_TYPEMASK = 0x1F, SS_CENTER = 1, CBS_TYPEMASK = 3;
    const CBS_DROPDOWNLIST = 3;
    const ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const MODAL_STACK_BYTES = 16384;

    const desktop = document.getElementById("lamino-desktop");
    const pictures = document.getElementById("lamino-pictures").content;
    const iconPicture = document.querySelector("link[rel=icon]").href;
    const windows = new Map();  // handle -> window record
    const controls = new Map();  // handle -> control record
    let nextHandle = 1;
    let wasm = null;
    let mainWindow = null;
    let lastFocusedControl = null;  // the last control that had the focus, the menu bar aside

    // What the scenario driver (tools/drive/web) reads besides the page
    // itself: the program's writes of fields, while it asks for them.
    const automation = { tracing: false, writes: [], started: false };
    window.laminoAutomation = automation;

    // ------------------------------------------------------------ memory
    function text(ptr, length) {
        const units = new Uint16Array(wasm.memory.buffer, ptr, length);
        let s = "";
        for (let i = 0; i < length; i += 8192) s += String.fromCharCode.apply(null, units.subarray(i, i + 8192));
        return s;
    }
    function putText(ptr, s) {
        const units = new Uint16Array(wasm.memory.buffer, ptr, s.length);
        for (let i = 0; i < s.length; i++) units[i] = s.charCodeAt(i);
    }
    function putInt(ptr, value) {
        new Int32Array(wasm.memory.buffer, ptr, 1)[0] = value;
    }

    // ------------------------------------- calls into the module, and modal loops
    // A modal dialog's DoModal waits for the dialog to end. The module is
    // built with binaryen's asyncify: at window_run_modal its stack is set
    // aside (unwound) and the call that led there returns here; when the
    // dialog ends, the same call is made again and rewinds to where it waited.
    let pausing = null;
    let rewindResult = 0;
    function call(name, ...args) {
        wasm[name](...args);
        if (wasm.asyncify_get_state() !== 1) return;
        wasm.asyncify_stop_unwind();
        const pause = pausing;
        pausing = null;
        pause.resume = (result) => {
            rewindResult = result;
            wasm.asyncify_start_rewind(pause.data);
            call(name, ...args);
            wasm.lamino_free(pause.data);
        };
        if (pause.ended) queueMicrotask(() => pause.resume(pause.result));
    }
    function notify(win, id, code) {
        if (!windows.has(win.handle)) return;
        userNotifications++;
        try {
            call("lamino_command", win.handle, id, code);
        } finally {
            userNotifications--;
        }
        announceResults();
    }

    // ------------------------------------------------------------ announcements
    // What the program recomputed is told to a screen reader once the user
    // pauses, each changed field by its name and new value, in one polite
    // announcement; the field being typed into is not read back.
    const changedFields = new Set();  // written while the user's work was handled
    let userNotifications = 0;
    let announceTimer = 0;
    const announcer = document.createElement("div");
    announcer.className = "announcer";
    announcer.setAttribute("aria-live", "polite");
    announcer.setAttribute("role", "status");
    document.body.append(announcer);

    function fieldName(control) {
        const target = control.focusTarget;
        const labelledBy = target.getAttribute("aria-labelledby");
        if (labelledBy) return document.getElementById(labelledBy)?.textContent || "";
        return target.labels && target.labels[0] ? target.labels[0].textContent : target.getAttribute("aria-label") || "";
    }

    function announceResults() {
        if (changedFields.size === 0) return;
        clearTimeout(announceTimer);
        announceTimer = setTimeout(() => {
            const focus = focusedControl();
            const told = [...changedFields].filter((c) => c !== focus && controls.has(c.handle) && isShown(c.box))
                .sort((a, b) => Number(a.box.dataset.order) - Number(b.box.dataset.order))
                .map((c) => `${fieldName(c)} ${c.focusTarget.value}`.trim());
            changedFields.clear();
            announcer.textContent = told.join("，");
        }, 600);
    }

    // ------------------------------------------------------------ windows
    function windowOf(control) {
        return windows.get(control.window);
    }
    function topWindowOf(win) {
        while (win.parentControl) win = windowOf(controls.get(win.parentControl));
        return win;
    }
    function makeWindow(parentControl, modal, width, height, white, face, pixels) {
        const handle = nextHandle++;
        const win = { handle, parentControl, modal: !!modal, controls: [], radioGroup: 0, shown: false };
        const client = document.createElement("div");
        client.className = "client" + (white ? " white" : "");
        client.style.width = width + "px";
        client.style.height = height + "px";
        client.style.font = `${pixels}px "${face}"`;
        win.client = client;
        win.lineHeight = pixels;
        if (parentControl) {
            // A page: a child of a control of another window, hidden until shown.
            const parent = controls.get(parentControl);
            client.classList.add("page");
            client.hidden = true;
            client.setAttribute("role", parent.kind === TABS ? "tabpanel" : "group");
            parent.box.append(client);
            win.element = client;
        } else if (modal && !mainWindow) {
            // The main window: the page itself is its frame, the browser's tab its caption.
            const frame = document.createElement("div");
            frame.className = "window main";
            frame.hidden = true;
            frame.append(client);
            desktop.append(frame);
            win.element = frame;
            mainWindow = win;
        } else {
            const dialog = document.createElement("dialog");
            dialog.className = "window";
            const caption = document.createElement("div");
            caption.className = "caption";
            caption.id = `lamino-caption-${handle}`;
            dialog.setAttribute("aria-labelledby", caption.id);
            dialog.append(caption, client);
            dialog.addEventListener("cancel", (event) => event.preventDefault());  // Esc goes to OnCancel
            document.body.append(dialog);
            win.element = dialog;
            win.caption = caption;
        }
        client.laminoWindow = handle;
        windows.set(handle, win);
        return handle;
    }

    function showModal(win) {
        win.shown = true;
        if (win === mainWindow) {
            win.element.hidden = false;
            fitToViewport();
            return;
        }
        // As a Windows dialog manager does, the box gives the focus back to the
        // control that had it, also when a click on the menu bar opened it.
        win.focusBefore = (focusedControl() || lastFocusedControl || {}).focusTarget || document.activeElement;
        win.element.showModal();
    }

    function endModal(win, result) {
        if (win.ended) return;
        win.ended = true;
        win.result = result;
        if (win.element.open) win.element.close();
        if (win.focusBefore && win.focusBefore.isConnected) win.focusBefore.focus({ preventScroll: true });
        if (win.pause) queueMicrotask(() => win.pause.resume(result));
    }

    function destroyWindow(win) {
        for (const handle of win.controls) controls.delete(handle);
        windows.delete(win.handle);
        win.element.remove();
        if (win === mainWindow) {
            mainWindow = null;
            desktop.classList.add("ended");
        }
    }

    // At a phone's width the whole window is drawn smaller rather than cut.
    function fitToViewport() {
        if (!mainWindow) return;
        const frame = mainWindow.element;
        frame.style.zoom = "";
        const room = document.documentElement.clientWidth - 8;
        const width = frame.offsetWidth;
        frame.style.zoom = width > room ? String(room / width) : "";
    }
    window.addEventListener("resize", fitToViewport);
    // Closing the browser's tab is the window's close box.
    window.addEventListener("pagehide", () => {
        if (mainWindow && wasm) call("lamino_close", mainWindow.handle);
    });

    function addMenuItem(win, commandId, label) {
        if (!win.menuBar) {
            win.menuBar = document.createElement("div");
            win.menuBar.className = "menubar";
            win.menuBar.setAttribute("role", "menubar");
            win.client.before(win.menuBar);
        }
        const item = document.createElement("button");
        item.type = "button";
        item.className = "menuitem";
        item.setAttribute("role", "menuitem");
        item.tabIndex = -1;
        item.textContent = label;
        item.addEventListener("click", () => notify(win, commandId, BN_CLICKED));
        win.menuBar.append(item);
    }

    // ------------------------------------------------------------ controls
    function place(element, x, y, width, height) {
        element.style.left = x + "px";
        element.style.top = y + "px";
        if (width !== undefined) element.style.width = width + "px";
        if (height !== undefined) element.style.height = height + "px";
    }

    function makeControl(winHandle, id, kind, style, x, y, width, height, label, imageId) {
        const win = windows.get(winHandle);
        const handle = nextHandle++;
        const control = { handle, window: winHandle, id, kind, style, x, y };
        let box;
        switch (kind) {
        case EDIT: {
            box = document.createElement("input");
            box.type = "text";
            box.className = "edit";
            box.spellcheck = false;
            box.autocomplete = "off";
            box.readOnly = (style & ES_READONLY) !== 0;
            box.addEventListener("input", () => notify(win, id, EN_CHANGE));
            place(box, x, y, width, height);
            control.focusTarget = box;
            break;
        }
        case LABEL: {
            box = document.createElement("label");
            box.className = "label" + (height < 2 * win.lineHeight ? " one-line" : "");
            if ((style & SS_TYPEMASK) === SS_CENTER) box.style.textAlign = "center";
            box.textContent = label;
            place(box, x, y, width, height);
            break;
        }
        case ICON: {
            box = document.createElement("img");
            box.className = "icon";
            box.src = iconPicture;
            box.alt = "";
            place(box, x, y, 32, 32);  // an icon control takes the icon's size
            break;
        }
        case PICTURE: {
            box = document.createElement("div");
            box.className = "picture";
            box.setAttribute("role", "img");
            const svg = pictures.querySelector(`[data-picture="${imageId}"]`);
            if (svg) {
                const copy = svg.cloneNode(true);
                copy.setAttribute("aria-hidden", "true");
                copy.setAttribute("focusable", "false");
                box.append(copy);
                place(box, x, y, Number(svg.getAttribute("width")), Number(svg.getAttribute("height")));
            } else {
                place(box, x, y, width, height);
            }
            break;
        }
        case GROUP: {
            box = document.createElement("div");
            box.className = "group";
            box.setAttribute("role", "group");
            const frame = document.createElement("div");
            frame.className = "frame";
            frame.style.top = Math.floor(win.lineHeight / 2) + "px";
            const title = document.createElement("span");
            title.className = "title";
            title.id = `lamino-title-${handle}`;
            title.textContent = label;
            if (!label) title.hidden = true;
            box.setAttribute("aria-labelledby", title.id);
            box.append(frame, title);
            control.title = title;
            place(box, x, y, width, height);
            break;
        }
        case RADIO:
        case CHECK: {
            box = document.createElement("label");
            box.className = kind === RADIO ? "radio" : "check";
            const input = document.createElement("input");
            input.type = kind === RADIO ? "radio" : "checkbox";
            if (kind === RADIO) {
                if ((style & WS_GROUP) || !win.radioGroup) win.radioGroup = handle;
                input.name = `lamino-radios-${win.radioGroup}`;
                control.radioGroup = win.radioGroup;
            }
            const caption = document.createElement("span");
            caption.textContent = label;
            box.append(input, caption);
            // As an automatic button: the click moves the check, then the dialog hears of it.
            input.addEventListener("click", () => notify(win, id, BN_CLICKED));
            place(box, x, y, width, height);
            control.focusTarget = input;
            control.caption = caption;
            break;
        }
        case PUSH: {
            box = document.createElement("button");
            box.type = "button";
            box.className = "push" + ((style & BS_TYPEMASK) === BS_DEFPUSHBUTTON ? " default" : "");
            box.textContent = label;
            box.addEventListener("click", () => notify(win, id, BN_CLICKED));
            place(box, x, y, width, height);
            control.focusTarget = box;
            break;
        }
        case COMBO:
            box = makeCombo(win, control, style);
            // The template's height takes in the drop-down list; the box itself is one line high.
            place(box, x, y, width, win.lineHeight + 8);
            break;
        case TABS:
            box = makeTabs(win, control);
            place(box, x, y, width, height);
            break;
        default:
            box = document.createElement("div");
            place(box, x, y, width, height);
        }
        box.classList.add("control");
        box.id = `lamino-control-${handle}`;
        box.dataset.controlId = String(id);
        box.dataset.order = String(win.controls.length + 1);
        box.dataset.kind = ["edit", "label", "icon", "picture", "group", "radio", "check", "push", "combo", "tabs"][kind];
        if (control.focusTarget && control.focusTarget !== box) control.focusTarget.id = `lamino-field-${handle}`;
        if (!(style & WS_VISIBLE)) box.hidden = true;
        box.laminoControl = handle;
        if (control.focusTarget) control.focusTarget.laminoControl = handle;
        control.box = box;
        control.tabStop = (style & WS_TABSTOP) !== 0;
        win.client.append(box);
        win.controls.push(handle);
        controls.set(handle, control);
        return handle;
    }

    function setControlText(control, value) {
        switch (control.kind) {
        case EDIT:
        case COMBO:
            if (userNotifications > 0 && control.kind === EDIT && control.focusTarget.value !== value)
                changedFields.add(control);
            control.focusTarget.value = value;
            control.focusTarget.setSelectionRange(0, 0);
            break;
        case GROUP:
            control.title.textContent = value;
            control.title.hidden = !value;
            break;
        case RADIO:
        case CHECK:
            control.caption.textContent = value;
            break;
        default:
            control.box.textContent = value;
        }
    }

    function controlText(control) {
        switch (control.kind) {
        case EDIT:
        case COMBO: return control.focusTarget.value;
        case GROUP: return control.title.textContent;
        case RADIO:
        case CHECK: return control.caption.textContent;
        default: return control.box.textContent;
        }
    }

    // ------------------------------------------------------------ combo boxes
    // The ARIA combobox pattern: a text field with a list that opens below it,
    // its highlighted option told to assistive technology by
    // aria-activedescendant. As in Win32, typing leaves no item selected and
    // says nothing; picking an item writes it into the field and notifies.
    function makeCombo(win, control, style) {
        const box = document.createElement("div");
        box.className = "combo";
        const input = document.createElement("input");
        input.type = "text";
        input.spellcheck = false;
        input.autocomplete = "off";
        input.setAttribute("role", "combobox");
        input.setAttribute("aria-autocomplete", "none");
        input.setAttribute("aria-expanded", "false");
        input.readOnly = (style & CBS_TYPEMASK) === CBS_DROPDOWNLIST;
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
        return box;
    }

    function setCurrent(control, index, writeText) {
        control.current = index;
        control.box.dataset.current = String(index);
        control.list.querySelectorAll("[role=option]").forEach((option, i) =>
            option.setAttribute("aria-selected", String(i === index)));
        if (writeText) control.focusTarget.value = index >= 0 ? control.items[index] : "";
    }

    function fillList(control) {
        control.list.replaceChildren(...control.items.map((item, i) => {
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

    // ------------------------------------------------------------ tab controls
    function makeTabs(win, control) {
        const box = document.createElement("div");
        box.className = "tabcontrol";
        const row = document.createElement("div");
        row.className = "tabs";
        row.setAttribute("role", "tablist");
        const pane = document.createElement("div");
        pane.className = "pane";
        box.append(row, pane);
        control.row = row;
        control.tabs = [];
        control.current = -1;
        return box;
    }

    function insertTab(control, index, label) {
        const tab = document.createElement("button");
        tab.type = "button";
        tab.className = "tab";
        tab.setAttribute("role", "tab");
        tab.textContent = label;
        tab.laminoControl = control.handle;
        tab.addEventListener("click", () => selectTab(control, control.tabs.indexOf(tab), true));
        control.row.insertBefore(tab, control.tabs[index] || null);
        control.tabs.splice(index, 0, tab);
        if (control.current < 0) control.current = 0;
        else if (index <= control.current) control.current++;
        showTabs(control);
    }

    function showTabs(control) {
        control.tabs.forEach((tab, i) => {
            tab.setAttribute("aria-selected", String(i === control.current));
            tab.tabIndex = i === control.current ? 0 : -1;
        });
        control.focusTarget = control.tabs[control.current];
        control.box.dataset.current = String(control.current);
    }

    // The user's choice of a tab: shown at once, then TCN_SELCHANGE, which
    // shows its page; a tab chosen from the keyboard takes the focus.
    function selectTab(control, index, takeFocus) {
        if (index < 0 || index >= control.tabs.length) return;
        const changed = index !== control.current;
        control.current = index;
        showTabs(control);
        if (takeFocus) control.focusTarget.focus({ preventScroll: true });
        if (changed) notify(windowOf(control), control.id, TCN_SELCHANGE);
        linkTabsToPages(control);
    }

    function linkTabsToPages(control) {
        const pages = [...control.box.children].filter((child) => child.classList.contains("page"));
        control.tabs.forEach((tab, i) => {
            if (!pages[i]) return;
            tab.id = tab.id || `${control.box.id}-tab-${i}`;
            tab.setAttribute("aria-controls", pages[i].id || (pages[i].id = `${control.box.id}-page-${i}`));
            pages[i].setAttribute("aria-labelledby", tab.id);
        });
    }

    // ------------------------------------------------------------ keyboard
    function controlOf(element) {
        for (let e = element; e; e = e.parentElement) if (e.laminoControl) return controls.get(e.laminoControl);
        return null;
    }

    function focusedControl() {
        const control = controlOf(document.activeElement);
        return control && windows.has(control.window) ? control : null;
    }

    document.addEventListener("focusin", () => {
        const control = focusedControl();
        if (control) lastFocusedControl = control;
    });

    function isShown(element) {
        return element.isConnected && element.getClientRects().length > 0;
    }

    // The controls the Tab key stops at, in the order of the templates: a
    // tab control is followed by the page it shows; of a group of radio
    // buttons, the one checked (or the first) is the stop.
    function tabStops(win, stops = []) {
        const seenGroups = new Set();
        for (const handle of win.controls) {
            const control = controls.get(handle);
            if (!isShown(control.box)) continue;
            if (control.kind === RADIO) {
                if (seenGroups.has(control.radioGroup)) continue;
                seenGroups.add(control.radioGroup);
                const group = win.controls.map((h) => controls.get(h))
                    .filter((c) => c.kind === RADIO && c.radioGroup === control.radioGroup);
                stops.push(group.find((c) => c.focusTarget.checked) || control);
            } else if (control.tabStop && control.focusTarget) {
                stops.push(control);
            }
            if (control.kind === TABS)
                for (const page of windows.values())
                    if (page.parentControl === handle && isShown(page.element)) tabStops(page, stops);
        }
        return stops;
    }

    function focusControl(control, selectAll) {
        control.focusTarget.focus({ preventScroll: true });
        if (selectAll && (control.kind === EDIT || control.kind === COMBO)) control.focusTarget.select();
    }

    function tabKey(top, backwards) {
        const stops = tabStops(top);
        if (stops.length === 0) return;
        const at = stops.indexOf(focusedControl());
        const next = at < 0 ? (backwards ? stops.length - 1 : 0) : (at + (backwards ? -1 : 1) + stops.length) % stops.length;
        focusControl(stops[next], true);
    }

    // The tab control of the window, and the first tab stop of the page it shows.
    function stepTabs(top, step) {
        const tabs = top.controls.map((h) => controls.get(h)).find((c) => c.kind === TABS);
        if (!tabs) return;
        const focus = focusedControl();
        const focusInPages = focus !== null && focus !== tabs && tabs.box.contains(focus.box);
        selectTab(tabs, wasm.lamino_stepped_tab(tabs.current, tabs.tabs.length, step), false);
        if (!focusInPages) return;
        for (const page of windows.values()) {
            if (page.parentControl !== tabs.handle || !isShown(page.element)) continue;
            const first = tabStops(page)[0];
            if (first) focusControl(first, true);
        }
    }

    // The innermost dialog that holds the focus: a page, or the window.
    function dialogOfFocus(top) {
        const control = focusedControl();
        return control ? windowOf(control) : top;
    }

    function defaultButtonId(win) {
        for (const handle of win.controls) {
            const control = controls.get(handle);
            if (control.kind === PUSH && (control.style & BS_TYPEMASK) === BS_DEFPUSHBUTTON) return control.id;
        }
        return IDOK;
    }

    function onKeyDown(event) {
        const top = [...windows.values()].reverse().find((w) => w.shown && !w.parentControl && !w.ended);
        if (!top || !wasm) return;
        const control = focusedControl();
        const key = event.key;
        const ctrl = event.ctrlKey, shift = event.shiftKey, alt = event.altKey;
        const handled = () => {
            event.preventDefault();
            event.stopPropagation();
        };
        if (control && control.kind === COMBO && comboKey(control, event)) return handled();
        // Ctrl+Tab and Ctrl+PageDown are the browser's own; Alt+PageDown and
        // Alt+PageUp step the tabs wherever the browser keeps those.
        const tabStep = (ctrl && !alt && key === "Tab") ? (shift ? -1 : 1)
            : ((ctrl || alt) && !shift && key === "PageDown") ? 1
            : ((ctrl || alt) && !shift && key === "PageUp") ? -1 : 0;
        if (tabStep !== 0) {
            stepTabs(top, tabStep);
            return handled();
        }
        if (key === "Tab" && !ctrl && !alt) {
            tabKey(top, shift);
            return handled();
        }
        if (control && control.kind === TABS && !ctrl && !alt &&
            (key === "ArrowLeft" || key === "ArrowRight" || key === "Home" || key === "End")) {
            const index = key === "Home" ? 0 : key === "End" ? control.tabs.length - 1
                : control.current + (key === "ArrowLeft" ? -1 : 1);
            selectTab(control, Math.max(0, Math.min(control.tabs.length - 1, index)), true);
            return handled();
        }
        if ((key === "Enter" || key === "Escape") && !alt) {
            const win = dialogOfFocus(top);
            notify(win, key === "Enter" ? defaultButtonId(win) : IDCANCEL, BN_CLICKED);
            return handled();
        }
        if (key === "F10" && !ctrl && !alt && top.menuBar) {
            top.menuBar.querySelector(".menuitem").focus();
            return handled();
        }
        // Alt with a letter is a window's shortcut, never text for a field.
        if (alt && !ctrl && key.length === 1 && control && (control.kind === EDIT || control.kind === COMBO))
            return handled();
    }

    // Keys of a drop-down combo: Alt+Down or F4 open the list; in the open
    // list the arrows move the highlight, Enter picks, Esc closes. With the
    // list closed the arrows pick the next or previous item, as in Win32.
    function comboKey(control, event) {
        const key = event.key;
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
    document.addEventListener("keydown", onKeyDown, true);

    // ------------------------------------------------------------ the imports
    const imports = {
        window_create(parentControl, modal, width, height, white, face, faceLength, pixels) {
            return makeWindow(parentControl, modal, width, height, white, text(face, faceLength), pixels);
        },
        window_destroy(handle) {
            const win = windows.get(handle);
            if (win) destroyWindow(win);
        },
        window_set_title(handle, ptr, length) {
            const win = windows.get(handle);
            const title = text(ptr, length);
            if (win === mainWindow) document.title = title;
            else if (win.caption) win.caption.textContent = title;
            else win.element.setAttribute("aria-label", title);
        },
        window_show(handle, visible) {
            const win = windows.get(handle);
            win.element.hidden = !visible;
            const parent = controls.get(win.parentControl);
            if (parent && parent.kind === TABS) linkTabsToPages(parent);
        },
        window_is_visible(handle) {
            const win = windows.get(handle);
            return win && !win.element.hidden ? 1 : 0;
        },
        window_move(handle, x, y, width, height) {
            place(windows.get(handle).element, x, y, width, height);
        },
        window_add_menu_item(handle, commandId, ptr, length) {
            addMenuItem(windows.get(handle), commandId, text(ptr, length));
        },
        window_set_icon() {
            // The page's icon is the document's, set in its head.
        },
        window_show_modal(handle) {
            showModal(windows.get(handle));
        },
        window_run_modal(handle) {
            if (wasm.asyncify_get_state() === 2) {
                wasm.asyncify_stop_rewind();
                return rewindResult;
            }
            const win = windows.get(handle);
            if (win.ended) return win.result;
            const data = wasm.lamino_alloc(8 + MODAL_STACK_BYTES);
            new Int32Array(wasm.memory.buffer, data, 2).set([data + 8, data + 8 + MODAL_STACK_BYTES]);
            pausing = win.pause = { data };
            wasm.asyncify_start_unwind(data);
            return 0;
        },
        window_end_modal(handle, result) {
            endModal(windows.get(handle), result);
        },
        control_create(win, id, kind, style, x, y, width, height, ptr, length, imageId) {
            return makeControl(win, id, kind, style >>> 0, x, y, width, height, text(ptr, length), imageId);
        },
        control_set_group(handle, groupHandle) {
            const control = controls.get(handle), group = controls.get(groupHandle);
            place(control.box, control.x - group.x, control.y - group.y);
            group.box.append(control.box);
        },
        control_set_text(handle, ptr, length) {
            setControlText(controls.get(handle), text(ptr, length));
        },
        control_text_length(handle) {
            return controlText(controls.get(handle)).length;
        },
        control_get_text(handle, ptr) {
            putText(ptr, controlText(controls.get(handle)));
        },
        control_set_label(handle, labelHandle) {
            const target = controls.get(handle).focusTarget, label = controls.get(labelHandle).box;
            if (!target) return;
            if (!label.htmlFor) label.htmlFor = target.id || (target.id = `lamino-field-${handle}`);
            else if (label.htmlFor !== target.id) target.setAttribute("aria-labelledby", label.id);
        },
        control_set_name(handle, ptr, length) {
            const control = controls.get(handle);
            (control.focusTarget || control.box).setAttribute("aria-label", text(ptr, length));
        },
        focused_control() {
            const control = focusedControl();
            return control ? control.handle : 0;
        },
        control_focus(handle) {
            const target = controls.get(handle).focusTarget;
            if (!target) return 0;
            target.focus({ preventScroll: true });
            return document.activeElement === target ? 1 : 0;
        },
        control_window_shown(handle) {
            return topWindowOf(windowOf(controls.get(handle))).shown ? 1 : 0;
        },
        edit_get_selection(handle, start, end) {
            const field = controls.get(handle).focusTarget;
            putInt(start, field.selectionStart);
            putInt(end, field.selectionEnd);
        },
        // EM_SETSEL: -1 as the start drops the selection where the caret is;
        // an end past the text (or -1) is its end; the caret ends at `end`.
        edit_set_selection(handle, start, end) {
            const field = controls.get(handle).focusTarget;
            const length = field.value.length;
            if (start === -1) {
                const caret = field.selectionDirection === "backward" ? field.selectionStart : field.selectionEnd;
                field.setSelectionRange(caret, caret);
                return;
            }
            if (end < 0 || end > length) end = length;
            start = Math.max(0, Math.min(start, length));
            if (start <= end) field.setSelectionRange(start, end, "forward");
            else field.setSelectionRange(end, start, "backward");
        },
        edit_scroll_caret() {
            // A focused field keeps its caret in view whenever the selection is set.
        },
        list_insert(handle, index, ptr, length) {
            const control = controls.get(handle);
            control.items.splice(index, 0, text(ptr, length));
            if (control.current >= index) control.current++;
            fillList(control);
            setCurrent(control, control.current, false);
        },
        list_count(handle) {
            return controls.get(handle).items.length;
        },
        list_item_length(handle, index) {
            return controls.get(handle).items[index].length;
        },
        list_get_item(handle, index, ptr) {
            putText(ptr, controls.get(handle).items[index]);
        },
        list_set_current(handle, index) {
            setCurrent(controls.get(handle), index, true);
        },
        list_current(handle) {
            return controls.get(handle).current;
        },
        button_set_check(handle, checked) {
            controls.get(handle).focusTarget.checked = !!checked;
        },
        button_check(handle) {
            return controls.get(handle).focusTarget.checked ? 1 : 0;
        },
        tab_insert(handle, index, ptr, length) {
            insertTab(controls.get(handle), index, text(ptr, length));
        },
        tab_current(handle) {
            return controls.get(handle).current;
        },
        font_metrics(face, faceLength, pixels, alphabetWidth, height) {
            const context = document.createElement("canvas").getContext("2d");
            context.font = `${pixels}px "${text(face, faceLength)}"`;
            const metrics = context.measureText(ALPHABET);
            putInt(alphabetWidth, Math.round(metrics.width));
            // A Song face's cell is its em square, as Windows' SimSun's is;
            // AR PL UMing's ascent and descent reach a little beyond it.
            putInt(height, pixels);
        },
        trace_write(id, ptr, length) {
            if (automation.tracing) automation.writes.push(`> ${id}=${text(ptr, length)}`);
        },
    };

    // The C library asks the system for little; a page offers none of it.
    function systemStubs(module) {
        const stubs = {};
        for (const { module: from, name } of WebAssembly.Module.imports(module))
            if (from === "wasi_snapshot_preview1") stubs[name] = () => 52;  // ENOSYS
        stubs.fd_write = (fd, iovs, count, written) => {
            const view = new DataView(wasm.memory.buffer);
            let bytes = 0, out = "";
            for (let i = 0; i < count; i++) {
                const ptr = view.getUint32(iovs + 8 * i, true), length = view.getUint32(iovs + 8 * i + 4, true);
                out += new TextDecoder().decode(new Uint8Array(wasm.memory.buffer, ptr, length));
                bytes += length;
            }
            console.error(out);
            view.setUint32(written, bytes, true);
            return 0;
        };
        stubs.proc_exit = (status) => {
            throw new Error(`lamino.wasm ended with ${status}`);
        };
        return { wasi_snapshot_preview1: stubs };
    }

    function moduleBytes() {
        const encoded = document.getElementById("lamino-module").textContent.replace(/\s+/g, "");
        if (Uint8Array.fromBase64) return Uint8Array.fromBase64(encoded);
        const binary = atob(encoded);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
        return bytes;
    }

    async function start() {
        // The layout is measured in the page's own font: it loads while the module compiles.
        const [module] = await Promise.all([WebAssembly.compile(moduleBytes()),
            ...[...document.fonts].map((face) => face.load())]);
        const instance = await WebAssembly.instantiate(module, { lamino: imports, ...systemStubs(module) });
        wasm = instance.exports;
        wasm._initialize();
        automation.started = true;
        call("lamino_start");
    }
    start();
})();
