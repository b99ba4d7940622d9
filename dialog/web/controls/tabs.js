// Tab controls: a row of tabs over the pages they show.

function makeTabs(win, control, style, x, y, width, height) {
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
    place(box, x, y, width, height);
    return box;
}

// The tab control's text is that of no tab.
controlKinds.TabControl = Object.assign({ name: "tabs", create: makeTabs }, ownText);

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
        windows.get(pages[i].laminoWindow).body.setAttribute("aria-labelledby", tab.id);
    });
}
