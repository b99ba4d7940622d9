// The controls that show and take nothing: labels, icons, pictures, group boxes.

controlKinds.Label = Object.assign({
    name: "label",
    create(win, control, style, x, y, width, height, label) {
        const box = document.createElement("label");
        box.className = "label" + (height < 2 * win.lineHeight ? " one-line" : "");
        if ((style & SS_TYPEMASK) === SS_CENTER) box.style.textAlign = "center";
        box.textContent = label;
        place(box, x, y, width, height);
        return box;
    },
}, ownText);

controlKinds.Icon = Object.assign({
    name: "icon",
    create(win, control, style, x, y) {
        const box = document.createElement("img");
        box.className = "icon";
        box.src = iconPicture;
        box.alt = "";
        place(box, x, y, 32, 32);  // an icon control takes the icon's size
        return box;
    },
}, ownText);

controlKinds.Picture = Object.assign({
    name: "picture",
    create(win, control, style, x, y, width, height, label, imageId) {
        const box = document.createElement("div");
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
        return box;
    },
}, ownText);

controlKinds.GroupBox = {
    name: "group",
    create(win, control, style, x, y, width, height, label) {
        const box = document.createElement("div");
        box.className = "group";
        box.setAttribute("role", "group");
        const frame = document.createElement("div");
        frame.className = "frame";
        frame.style.top = Math.floor(win.lineHeight / 2) + "px";
        const title = document.createElement("span");
        title.className = "title";
        title.id = `lamino-title-${control.handle}`;
        title.textContent = label;
        if (!label) title.hidden = true;
        box.setAttribute("aria-labelledby", title.id);
        box.append(frame, title);
        control.title = title;
        place(box, x, y, width, height);
        return box;
    },
    text(control) {
        return control.title.textContent;
    },
    setText(control, value) {
        control.title.textContent = value;
        control.title.hidden = !value;
    },
};
