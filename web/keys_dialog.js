// The key settings: a list of the 44 keys for each control; Accept stays disabled while two
// controls share a key, and stores the choices.
import {CHOICE_COUNT, CONTROLS, choiceText, hasDuplicate, saveChoices} from './keys.js';

export class KeysDialog {
  constructor(dialog, getChoices, accepted) {
    this.dialog = dialog;
    this.getChoices = getChoices;
    this.accepted = accepted;
    this.lists = CONTROLS.map((name) => this.addList(name));
    this.accept = dialog.querySelector('[data-action=accept]');
    this.accept.addEventListener('click', () => this.acceptChoices());
    dialog.querySelector('[data-action=cancel]').addEventListener('click', () => dialog.close());
  }

  addList(name) {
    const label = document.createElement('label');
    label.textContent = `${name} `;
    const list = document.createElement('select');
    list.name = name;
    for (let choice = 1; choice <= CHOICE_COUNT; choice++) list.add(new Option(choiceText(choice), String(choice)));
    list.addEventListener('change', () => this.check());
    label.append(list);
    this.dialog.querySelector('.key-lists').append(label);
    return list;
  }

  chosen() {
    return this.lists.map((list) => Number(list.value));
  }

  check() {
    const duplicate = hasDuplicate(this.chosen());
    this.accept.disabled = duplicate;
    this.dialog.querySelector('.key-duplicate').hidden = !duplicate;
  }

  open() {
    this.getChoices().forEach((choice, i) => (this.lists[i].value = String(choice)));
    this.check();
    this.dialog.showModal();
  }

  acceptChoices() {
    const choices = this.chosen();
    if (hasDuplicate(choices)) return;
    saveChoices(choices);
    this.accepted(choices);
    this.dialog.close();
  }
}
