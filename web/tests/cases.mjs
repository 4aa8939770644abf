// The cases of the browser test, each a function of the page, the served address, the server and
// the browser.
import {cases as device} from './cases_device.mjs';
import {cases as game} from './cases_game.mjs';
import {cases as reach} from './cases_reach.mjs';
import {cases as windows} from './cases_windows.mjs';

export const cases = {...device, ...game, ...windows, ...reach};
