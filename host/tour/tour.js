// The guided tour that `make run` takes without a display: it works on the demo form through
// the Object Inspector, the component editors and the style dialogs as a user would, and
// writes a picture of each step into the screenshot folder. Any step that fails stops the tour
// with its error (and `make run` with a non-zero exit code).

function shot(file) {
    ide.screenshot(file);
}

function expect(what, actual, wanted) {
    if (String(actual) !== String(wanted))
        throw new Error(what + ": expected " + wanted + ", found " + actual);
}

// The form with the graph selected; its properties by category.
ide.select("Graph1");
ide.arrange = "category";
shot("inspector-category.png");

// The line series by name, its Line expanded with the colour row current.
ide.select("Series1");
ide.arrange = "name";
ide.expand("Line");
ide.property("Line.Color").select();
shot("inspector-name.png");

// Only the colour properties of the graph.
ide.select("Graph1");
ide.filter = "color";
shot("inspector-filter.png");
ide.filter = "";

// Colour, dash style, area style and point symbol lists draw their samples: open the list of
// a row, take its picture, pick an item and check that the component took it.
function choose(component, path, file, item) {
    ide.select(component);
    if (path.indexOf(".") > 0)
        ide.expand(path.split(".")[0]);
    ide.property(path).openDropDown();
    shot(file);
    ide.property(path).pick(item);
    expect(component + "." + path, ide.property(path).value, item);
}
choose("Graph1", "BackColor", "dropdown-color.png", "Ivory");
choose("Series1", "Line.DashStyle", "dropdown-dashstyle.png", "Dash");
choose("Series1", "Area.AreaStyle", "dropdown-areastyle.png", "Total");
choose("Series2", "PointSymbol.PointSymbol", "dropdown-pointsymbol.png", "Diamond");

// Both series at once: what they share, empty where they differ.
ide.select(["Series1", "Series2"]);
ide.arrange = "category";
shot("inspector-multiselect.png");
ide.property("Line.Width").setValue(ide.numberText(1.5)); // with this locale's separator
expect("Series2.Line.Width", ide.value("Series2", "Line.Width"), 1.5);

// A date-time axis shows its range as dates; text that is no date is refused.
ide.select("Axis1");
ide.arrange = "name";
ide.property("Scaling").setValue("DateTime");
ide.property("Start").setValue(ide.dateText(2026, 1, 1)); // as a user of this locale types it
ide.property("Stop").setValue(ide.dateText(2026, 3, 1));
ide.property("Start").select();
shot("inspector-datetime.png");
try {
    ide.property("Start").setValue("no date");
    throw new Error("a bad date was taken");
} catch (e) {
    ide.log("refused as expected: " + e.message);
}
ide.undo();
ide.undo();
ide.undo();
expect("Axis1.Scaling after undo", ide.value("Axis1", "Scaling"), "Linear");

// The settings dialogs open from the ellipsis of their rows.
ide.select("Series1");
ide.property("Line").edit(function (dlg) {
    dlg.find("WidthUpDn").setValue(3);
    dlg.screenshot("dialog-line.png");
    dlg.ok();
});
expect("Series1.Line.Width after the dialog", ide.value("Series1", "Line.Width"), 3);

// The other dialogs: a look, then Cancel.
function look(component, path, file) {
    ide.select(component);
    ide.property(path).edit(function (dlg) {
        dlg.screenshot(file);
        dlg.cancel();
    });
}
look("Series1", "PointSymbol", "dialog-pointsymbol.png");
look("Series1", "Area", "dialog-area.png");
look("Graph1", "BackgroundGradient", "dialog-gradient.png");
look("Graph1", "DataAreaFrame", "dialog-simpleline.png");
look("Axis1", "ArrowPoint", "dialog-arrow.png");

// The context menu of a component: its editor's verbs, then the editing commands.
var menu = ide.contextMenu("Graph1");
shot("context-menu.png");
menu.close();

// Undo takes the form back to where the tour started.
while (ide.undoCount() > 0)
    ide.undo();
ide.select("Graph1");
shot("form-after-undo.png");
