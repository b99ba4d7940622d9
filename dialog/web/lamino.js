"use strict";
// The browser half of Lamino's dialog layer. The module (lamino.wasm: the
// pages, the main window and dialog/web/) asks for windows and controls
// through the imports below; this script makes them from the page's own
// elements and turns the user's work on them into the notifications a Win32
// dialog receives, raised inside the module through its exports.
(() => {
    // Win32's notification codes, command ids and style bits (dialog/Win32Defs.h),
    // and dlg::ControlKind, as tools/web/make-html.py reads them from the headers
    // @CONSTANTS@
    const ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const MODAL_STACK_BYTES = 16384;

    const desktop = document.getElementById("lamino-desktop");
    const pictures = document.getElementById("lamino-pictures").content;
    const iconPicture = document.querySelector("link[rel=icon]").href;
    const windows = new Map();  // handle -> window record
    const controls = new Map();  // handle -> control record
    const descriptions = new Map();  // wording -> the hidden element that holds it
    let nextHandle = 1;
    let wasm = null;
    let mainWindow = null;
    let lastFocusedControl = null;  // the last control that had the focus, the menu bar aside
    let leavingFocus = null;  // while the tabs step from a page: the pages left with the focus in them

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
    let announceTimer = 0, clearTimer = 0;
    const announcer = document.createElement("div");
    announcer.className = "announcer";
    announcer.setAttribute("aria-live", "polite");
    announcer.setAttribute("role", "status");
    document.body.append(announcer);

    function fieldName(control) {
        const target = control.focusTarget;
        const labelledBy = target.getAttribute("aria-labelledby");
        if (labelledBy) {
            const label = document.getElementById(labelledBy);
            return label ? label.textContent : "";
        }
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
            // Once told, it is taken away: left there, it would be read again
            // whenever the page's content is shown to the screen reader anew.
            clearTimeout(clearTimer);
            clearTimer = setTimeout(clearAnnouncement, 3000);
        }, 600);
    }

    function clearAnnouncement() {
        clearTimeout(clearTimer);
        announcer.textContent = "";
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
            if (parent.kind === ControlKind.TabControl) {
                // An application, so that a screen reader leaves its keys to the
                // page (the arrow keys on the radio pair) instead of reading it;
                // inside it a region that the tab names, which Orca says as the
                // focus enters the page (a tabpanel reaches it as a scroll pane,
                // and it names nothing above an application). The tabs stay
                // outside: Orca would move to the chosen tab from a field.
                client.setAttribute("role", "application");
                win.body = document.createElement("div");
                win.body.className = "region";
                win.body.setAttribute("role", "region");
                client.append(win.body);
            } else {
                client.setAttribute("role", "group");
            }
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
            // A modal box of our own rather than <dialog>, which Firefox before 98
            // and Safari before 15.4 lack: a layer over the window takes the
            // pointer, and the keyboard's focus is kept inside (keepFocusInModal).
            const layer = document.createElement("div");
            layer.className = "modal-layer";
            // An application as the pages are, so that a screen reader coming
            // back from the box to the radio pair still leaves it the arrow keys.
            layer.setAttribute("role", "application");
            layer.hidden = true;
            layer.addEventListener("mousedown", (event) => {
                if (event.target === layer) event.preventDefault();
            });
            const dialog = document.createElement("div");
            dialog.className = "window box";
            // An alert dialog: Orca 48 says nothing of a plain dialog the focus
            // enters, only of the focused button; an alert it reads whole as it
            // shows (title, then the texts), as Orca 43 reads a dialog.
            dialog.setAttribute("role", "alertdialog");
            dialog.setAttribute("aria-modal", "true");
            dialog.hidden = true;
            const caption = document.createElement("div");
            caption.className = "caption";
            caption.id = `lamino-caption-${handle}`;
            dialog.setAttribute("aria-labelledby", caption.id);
            dialog.append(caption, client);
            layer.append(dialog);
            document.body.append(layer);
            win.element = dialog;
            win.layer = layer;
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
        // Its texts are what a screen reader says of the box as the focus enters it.
        const texts = win.controls.map((h) => controls.get(h)).filter((c) => c.kind === ControlKind.Label && c.box.textContent);
        if (texts.length) win.element.setAttribute("aria-describedby", texts.map((c) => c.box.id).join(" "));
        // Orca 43 reads an alert's texts in document order up to the focused
        // button: the texts go first (where each is drawn stays the same).
        win.client.prepend(...texts.map((c) => c.box));
        // The modal box hides the rest of the page from assistive technology;
        // an announcement left behind would be heard again when it comes back.
        clearAnnouncement();
        win.layer.hidden = false;
        win.element.hidden = false;
        setBehindModal(true);
    }

    function openModal() {
        return [...windows.values()].reverse().find((w) => w.layer && w.shown && !w.ended) || null;
    }

    // While a box is open, what lies behind it is out of reach of assistive
    // technology (inert where the engine knows it, hidden from it everywhere).
    function setBehindModal(covered) {
        if (!mainWindow) return;
        const frame = mainWindow.element;
        if (covered) frame.setAttribute("aria-hidden", "true");
        else frame.removeAttribute("aria-hidden");
        frame.inert = covered;
    }

    // A click or a script elsewhere may move the focus out of an open box:
    // it goes back to the box's last focused control, as in a modal loop.
    function keepFocusInModal(event) {
        const box = openModal();
        if (!box || box.element.contains(event.target)) return;
        const inside = box.lastFocus && box.lastFocus.isConnected ? box.lastFocus : tabStops(box)[0];
        if (inside) (inside.focusTarget || inside).focus({ preventScroll: true });
    }
    document.addEventListener("focusin", keepFocusInModal);

    function endModal(win, result) {
        if (win.ended) return;
        win.ended = true;
        win.result = result;
        if (win.layer) {
            // A plain dialog again as it goes, or Orca reads the alert once more.
            win.element.setAttribute("role", "dialog");
            win.element.hidden = true;
            win.layer.hidden = true;
            if (!openModal()) setBehindModal(false);
        }
        if (win.focusBefore && win.focusBefore.isConnected) win.focusBefore.focus({ preventScroll: true });
        if (win.pause) queueMicrotask(() => win.pause.resume(result));
    }

    function destroyWindow(win) {
        for (const handle of win.controls) controls.delete(handle);
        windows.delete(win.handle);
        (win.layer || win.element).remove();
        if (win === mainWindow) {
            mainWindow = null;
            desktop.classList.add("ended");
        }
    }

    // At a phone's width the whole window is drawn smaller rather than cut.
    function fitToViewport() {
        if (!mainWindow) return;
        const frame = mainWindow.element;
        frame.style.zoom = frame.style.transform = frame.style.marginRight = frame.style.marginBottom = "";
        frame.classList.remove("fitted");
        const room = document.documentElement.clientWidth - 8;
        const width = frame.offsetWidth, height = frame.offsetHeight;
        if (width <= room) return;
        const scale = room / width;
        frame.classList.add("fitted");
        if (window.CSS && CSS.supports("zoom", "0.5")) {
            frame.style.zoom = String(scale);
            return;
        }
        // Firefox before 126 has no zoom: a transform, and margins that give
        // back the room it leaves, so that nothing scrolls sideways.
        frame.style.transformOrigin = "0 0";
        frame.style.transform = `scale(${scale})`;
        frame.style.marginRight = `${-width * (1 - scale)}px`;
        frame.style.marginBottom = `${-height * (1 - scale)}px`;
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
            // In an application, as the pages are: the first thing of the page,
            // it is where Orca starts as the page loads, and in an application
            // it starts in focus mode rather than reading the whole page aloud
            // (and taking the focus to wherever it stopped when a key is pressed).
            const application = document.createElement("div");
            application.setAttribute("role", "application");
            application.append(win.menuBar);
            win.client.before(application);
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

    // Each control kind's element, made from the template line (create), and
    // its text as GetDlgItemText and SetDlgItemText see it; one object per
    // dlg::ControlKind, in controls/.
    const controlKinds = {};
    // A control whose text is its element's own.
    const ownText = {
        text(control) {
            return control.box.textContent;
        },
        setText(control, value) {
            control.box.textContent = value;
        },
    };
    // @CONTROLS@
    const kindOf = [];
    for (const name of Object.keys(ControlKind)) kindOf[ControlKind[name]] = controlKinds[name];

    function makeControl(winHandle, id, kind, style, x, y, width, height, label, imageId) {
        const win = windows.get(winHandle);
        const handle = nextHandle++;
        const control = { handle, window: winHandle, id, kind, style, x, y };
        const box = kindOf[kind].create(win, control, style, x, y, width, height, label, imageId);
        box.classList.add("control");
        box.id = `lamino-control-${handle}`;
        box.dataset.controlId = String(id);
        box.dataset.order = String(win.controls.length + 1);
        box.dataset.kind = kindOf[kind].name;
        if (control.focusTarget && control.focusTarget !== box) control.focusTarget.id = `lamino-field-${handle}`;
        if (!(style & WS_VISIBLE)) box.hidden = true;
        box.laminoControl = handle;
        if (control.focusTarget) control.focusTarget.laminoControl = handle;
        control.box = box;
        control.tabStop = (style & WS_TABSTOP) !== 0;
        (win.body || win.client).append(box);
        win.controls.push(handle);
        controls.set(handle, control);
        return handle;
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
        if (!control) return;
        lastFocusedControl = control;
        windowOf(control).lastFocus = control;
        topWindowOf(windowOf(control)).lastFocus = control;
    });

    function isShown(element) {
        return element.isConnected && element.getClientRects().length > 0 && !element.closest(".leaving");
    }

    // The controls the Tab key stops at, in the order of the templates: a
    // tab control is followed by the page it shows; of a group of radio
    // buttons, the one checked (or the first) is the stop.
    function tabStops(win, stops = []) {
        const seenGroups = new Set();
        for (const handle of win.controls) {
            const control = controls.get(handle);
            if (!isShown(control.box)) continue;
            if (control.kind === ControlKind.RadioButton) {
                if (seenGroups.has(control.radioGroup)) continue;
                seenGroups.add(control.radioGroup);
                const group = win.controls.map((h) => controls.get(h))
                    .filter((c) => c.kind === ControlKind.RadioButton && c.radioGroup === control.radioGroup);
                stops.push(group.find((c) => c.focusTarget.checked) || control);
            } else if (control.tabStop && control.focusTarget) {
                stops.push(control);
            }
            if (control.kind === ControlKind.TabControl)
                for (const page of windows.values())
                    if (page.parentControl === handle && isShown(page.element)) tabStops(page, stops);
        }
        return stops;
    }

    function focusControl(control, selectAll) {
        control.focusTarget.focus({ preventScroll: true });
        if (selectAll && (control.kind === ControlKind.Edit || control.kind === ControlKind.ComboBox)) control.focusTarget.select();
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
        const tabs = top.controls.map((h) => controls.get(h)).find((c) => c.kind === ControlKind.TabControl);
        if (!tabs) return;
        const focus = focusedControl();
        const focusInPages = focus !== null && focus !== tabs && tabs.box.contains(focus.box);
        leavingFocus = focusInPages ? [] : null;
        let leaving;
        try {
            selectTab(tabs, wasm.lamino_stepped_tab(tabs.current, tabs.tabs.length, step), false);
        } finally {
            leaving = leavingFocus || [];
            leavingFocus = null;
        }
        if (!focusInPages) return;
        for (const page of windows.values()) {
            if (page.parentControl !== tabs.handle || !isShown(page.element)) continue;
            const first = tabStops(page)[0];
            if (first) focusControl(first, true);
        }
        // Once the browser has told of the new focus (two frames) and a screen
        // reader, which reads the field left to tell what changed, has heard it.
        requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(() => {
            for (const page of leaving) page.element.classList.remove("leaving");
        }, 1000)));
    }

    // The innermost dialog that holds the focus: a page, or the window.
    function dialogOfFocus(top) {
        const control = focusedControl();
        return control ? windowOf(control) : top;
    }

    // WebKitGTK names Shift+Tab "Unidentified", by the Tab key's code.
    function keyName(event) {
        return event.key === "Unidentified" && event.code === "Tab" ? "Tab" : event.key;
    }

    function onKeyDown(event) {
        const top = [...windows.values()].reverse().find((w) => w.shown && !w.parentControl && !w.ended);
        if (!top || !wasm) return;
        const control = focusedControl();
        const key = keyName(event);
        const ctrl = event.ctrlKey, shift = event.shiftKey, alt = event.altKey;
        const handled = () => {
            event.preventDefault();
            event.stopPropagation();
        };
        if (control && control.kind === ControlKind.ComboBox && comboKey(control, event)) return handled();
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
        if (control && control.kind === ControlKind.TabControl && !ctrl && !alt &&
            (key === "ArrowLeft" || key === "ArrowRight" || key === "Home" || key === "End")) {
            const index = key === "Home" ? 0 : key === "End" ? control.tabs.length - 1
                : control.current + (key === "ArrowLeft" ? -1 : 1);
            selectTab(control, Math.max(0, Math.min(control.tabs.length - 1, index)), true);
            return handled();
        }
        // On the menu bar, Enter opens the item as Space does, and Esc leaves
        // the bar for the control that had the focus.
        const menuItem = document.activeElement && document.activeElement.closest(".menuitem");
        if (menuItem && (key === "Enter" || key === "Escape") && !alt && !ctrl) {
            if (key === "Enter") menuItem.click();
            else if (lastFocusedControl && controls.has(lastFocusedControl.handle)) focusControl(lastFocusedControl, false);
            return handled();
        }
        if ((key === "Enter" || key === "Escape") && !alt) {
            const win = dialogOfFocus(top);
            notify(win, key === "Enter" ? wasm.lamino_default_button(win.handle) : IDCANCEL, BN_CLICKED);
            return handled();
        }
        if (key === "F10" && !ctrl && !alt && top.menuBar) {
            top.menuBar.querySelector(".menuitem").focus();
            return handled();
        }
        // Alt with a letter is a window's shortcut, never text for a field.
        if (alt && !ctrl && key.length === 1 && control && (control.kind === ControlKind.Edit || control.kind === ControlKind.ComboBox))
            return handled();
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
            // A page hidden with the focus in it stays before assistive
            // technology, unseen, a while after the next page has the focus:
            // removed at once, it would be gone before the browser tells of the
            // new focus, and Orca would read on from wherever it then lands
            // instead of naming the new page.
            const leaves = !visible && leavingFocus !== null && win.element.contains(document.activeElement);
            if (leaves) leavingFocus.push(win);
            win.element.classList.toggle("leaving", leaves);
            win.element.hidden = !visible;
            const parent = controls.get(win.parentControl);
            if (parent && parent.kind === ControlKind.TabControl) linkTabsToPages(parent);
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
            const control = controls.get(handle);
            kindOf[control.kind].setText(control, text(ptr, length));
        },
        control_text_length(handle) {
            const control = controls.get(handle);
            return kindOf[control.kind].text(control).length;
        },
        control_get_text(handle, ptr) {
            const control = controls.get(handle);
            putText(ptr, kindOf[control.kind].text(control));
        },
        control_set_label(handle, labelHandle) {
            const target = controls.get(handle).focusTarget, label = controls.get(labelHandle).box;
            if (!target) return;
            if (!label.htmlFor) label.htmlFor = target.id || (target.id = `lamino-field-${handle}`);
            else if (label.htmlFor !== target.id) target.setAttribute("aria-labelledby", label.id);
        },
        // A description is a hidden text the field points to (aria-description
        // is younger than the engines the page runs on); one per wording.
        control_describe(handle, ptr, length) {
            const target = controls.get(handle).focusTarget;
            if (!target || target.hasAttribute("aria-describedby")) return;
            const wording = text(ptr, length);
            let description = descriptions.get(wording);
            if (!description) {
                description = document.createElement("span");
                description.id = `lamino-description-${descriptions.size + 1}`;
                description.hidden = true;
                description.textContent = wording;
                document.body.append(description);
                descriptions.set(wording, description);
            }
            target.setAttribute("aria-describedby", description.id);
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
        // A selection within the text, the caret at `end`; a start of -1
        // drops the selection where the caret is.
        edit_set_selection(handle, start, end) {
            const field = controls.get(handle).focusTarget;
            if (start === -1) {
                const caret = field.selectionDirection === "backward" ? field.selectionStart : field.selectionEnd;
                field.setSelectionRange(caret, caret);
                return;
            }
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

    // The page's policy lets its script compile the module, which engines
    // before 'wasm-unsafe-eval' (Chromium 97, Firefox 102, Safari 16) allow
    // only under 'unsafe-eval'. Once the module is compiled, a second policy
    // takes both away for the rest of the page's life: nothing the page does
    // later can evaluate text as code.
    function forbidEvaluation() {
        const policy = document.createElement("meta");
        policy.httpEquiv = "Content-Security-Policy";
        policy.content = "script-src 'none'";
        document.head.append(policy);
    }

    // The page's last script, after this one, checks that this one ran: a
    // policy in place before the parser reaches it would refuse it.
    const parsed = new Promise((done) => {
        if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", done, { once: true });
        else done();
    });

    async function start() {
        if (typeof WebAssembly !== "object") throw new Error("WebAssembly is not defined");
        // The layout is measured in the page's own font: it loads while the module compiles.
        // WebKit also refuses to instantiate a compiled module under the second policy.
        let instance;
        try {
            const [module] = await Promise.all([WebAssembly.compile(moduleBytes()),
                ...[...document.fonts].map((face) => face.load())]);
            instance = await WebAssembly.instantiate(module, { lamino: imports, ...systemStubs(module) });
        } finally {
            await parsed;
            forbidEvaluation();
        }
        wasm = instance.exports;
        wasm._initialize();
        automation.started = true;
        call("lamino_start");
    }
    start().catch((error) => window.laminoCannotStart(error));
})();
